// A one-line progress bar on a terminal, redrawn only when it changes.
#pragma once

#include <cstddef>
#include <cstdio>

class ProgressBar {
public:
    ProgressBar(std::FILE* out, size_t total) : out_(out), total_(total) {}
    ~ProgressBar() { Finish(); }

    void Update(size_t done);
    // Ends the line so that what follows starts on a fresh one.
    void Finish();

private:
    std::FILE* out_;
    size_t total_;
    int shownPercent_ = -1;
    bool finished_ = false;
};
