#include "FileListsState.h"

FileListsState fileListsState(const FileList& files, bool appRunning, bool projectOpen) {
    FileListsState state;
    for (const ProjectRecord& record : files.records()) {
        if (record.Kind == FileKind::Java) {
            if (&record == files.currentFile())
                state.selectedSource = int(state.sourceLabels.size());
            state.sourceLabels << (record.Modified ? record.Name + QStringLiteral(" (*)") : record.Name);
        } else {
            state.otherLabels << record.Name;
        }
    }
    state.hasFiles = !files.isEmpty();
    // An empty project must still take files and be saved, or nothing could ever be added to it.
    state.projectCommands = state.hasFiles || projectOpen;
    state.compileEnabled = state.hasFiles && !state.sourceLabels.isEmpty() && !appRunning;
    state.removeFileEnabled = !state.otherLabels.isEmpty();
    state.otherMenuEnabled = !state.otherLabels.isEmpty();
    state.sourceMenuEnabled = !state.sourceLabels.isEmpty();
    return state;
}
