// Collects what an import run did, for the summary a user reads afterwards:
// nobody should lose a song without knowing.
#pragma once

#include "app/ImportRun.h"

#include <map>
#include <string>
#include <vector>

class ImportSummary : public ImportObserver {
public:
    void SongWritten(size_t record, const std::string& path) override;
    void SongSkipped(size_t record) override;

    size_t Written() const { return written_; }
    size_t Skipped() const { return skipped_; }

    // Files that more than one record produced: the path and its records in
    // table order. The last record's song is the one in the file.
    std::vector<std::pair<std::string, std::vector<size_t>>> SharedFiles() const;

    // Groups of distinct paths that differ only in letter case: different
    // files here, one file on Windows.
    std::vector<std::vector<std::string>> CaseClashes() const;

    // The summary as text lines for a person to read.
    std::string Report() const;

private:
    size_t written_ = 0;
    size_t skipped_ = 0;
    std::map<std::string, std::vector<size_t>> recordsByPath_;
};
