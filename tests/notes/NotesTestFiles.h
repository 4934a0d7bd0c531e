#pragma once

#include "TestFiles.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace NotesTestFiles {

// A full disk, whoever runs the test: writes past `bytes` fail while the object lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit small = m_saved;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved;
};

} // namespace NotesTestFiles

using namespace NotesTestFiles;
