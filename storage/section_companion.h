// A section of the data file that is saved in the roster's write, under the same lock.
#pragma once

namespace kumoji {

class TDataFile;

// The roster's save opens the file, locks it and writes it once; a companion merges its own
// section into that open file, so that both sections change together or not at all.
class TSectionCompanion {
public:
    virtual ~TSectionCompanion() = default;
    // Merges this copy's changes with what File holds now and writes them into File.
    virtual void MergeInto(TDataFile& File) = 0;
    // The file holding the last merge was written: the merged state is now this copy's.
    virtual void Committed() = 0;
    // The write failed: the changes stay pending for the next save.
    virtual void Abandoned() {}
};

} // namespace kumoji
