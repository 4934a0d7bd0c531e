#pragma once

#include "FileList.h"

#include <QStringList>

// What the Source and Other files lists show and which file commands are enabled, derived from the
// open-file list alone; the main window only applies it.
struct FileListsState {
    QStringList sourceLabels; // Java records, " (*)" after a modified one
    int selectedSource = -1;  // entry of `currentFile`
    QStringList otherLabels;

    bool hasFiles = false;        // Save, Save File As, clipboard buttons, editor
    bool projectCommands = false; // Save all, Save Project, "Add file...": also for a project with no files
    bool compileEnabled = false;  // "Save all, Compile and Start" and the "&Compile" menu
    bool removeFileEnabled = false;
    bool otherMenuEnabled = false;  // "Show picture..." and the Other files "Remove from project"
    bool sourceMenuEnabled = false; // the Source list's "Save" and "Remove from project"
};

FileListsState fileListsState(const FileList& files, bool appRunning, bool projectOpen);
