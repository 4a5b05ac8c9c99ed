// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an extraction run did: where it wrote, and every chosen row that was
// not saved completely, with the reason.

#include "byte_range.h"
#include "saved_places.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class SaveFailureKind {
    NoDataFound,  // the row has no data location (no stream header was found)
    NotAFile,     // no data, and the block's checksum fails: probably a tag inside other data
    UnsafePath,   // the catalogue path would leave the output root
    NotCreated,   // the file could not be created (exists already, refused name, no permission)
    CutShort,     // the backup ends inside the file's range
    Unreadable,   // some bytes could not be read; they were written as zeros
    WriteFailed,  // writing stopped (disk full, for example)
    Stopped,      // the run was stopped inside the file; what was written is kept aside
};

struct SaveFailure {
    std::size_t row = 0;
    std::string path; // catalogue path
    SaveFailureKind kind = SaveFailureKind::NotCreated;
    std::string reason; // the system's words, where there are any
    std::uint64_t bytesWritten = 0;
    std::uint64_t bytesExpected = 0;
    std::vector<ByteRange> unreadable; // with Unreadable: positions in the saved file
    std::string keptAs; // with Stopped and WriteFailed: the file's new name, empty when it could not be renamed
};

// A file saved under another name than its catalogue path: its name was
// taken already (two files of one path) or too long for the file system.
struct RenamedFile {
    std::size_t row = 0;
    std::string path;    // catalogue path
    std::string savedAs; // the path below the output root, "\"-separated like the catalogue
};

// A continued save's file not saved whole this time: the incomplete copies
// of it that an earlier save left or that this one set aside stay.
struct KeptAside {
    std::size_t row = 0;
    std::string path;               // catalogue path
    std::vector<std::string> names; // in the file's folder: NAME.partial, NAME.partial1, ...
};

// A saved file whose data differ from the checksum its backup recorded.
constexpr const char* kDamagedDataText = "damaged: its data differ from the checksum the backup recorded";
struct DamagedFile {
    std::size_t row = 0;
    std::string path; // catalogue path
};

// A saved file whose checksum stream the backup lost.
constexpr const char* kChecksumLostText = "its checksum is missing: the data may be damaged";

struct ExtractionReport {
    bool rootCreated = false;
    std::string rootError;   // why the output root could not be made
    std::string rootFolder;  // full path of the output root
    bool completed = false;  // every row visited (false when stopped)
    // Catalogue rows [0, rowsReached) were visited by a save of ticked rows
    // in catalogue order: each ticked one saved or among the failures.
    std::size_t rowsReached = 0;
    std::string failure;     // what ended the run early outside any one file (a thread or buffer not made)
    std::size_t filesSaved = 0;  // saved completely, renamed ones included
    std::size_t alreadySaved = 0; // a continued save: kept whole from the earlier one
    bool continued = false;       // the save continued into an existing output root
    std::uint64_t bytesSaved = 0; // in files kept under their names (not in NAME.partial ones)
    std::vector<SaveFailure> failures;
    std::vector<RenamedFile> renamed;
    std::vector<KeptAside> keptAside; // a continued save: incomplete copies that stay
    SavedPlaces places; // where each file left under its name and each folder lie below rootFolder
    // Chosen rows not tried: the save stops at the first file the full disk cut short.
    std::size_t notSavedDiskFull = 0;

    // Saved files checked against the checksum of their CSUM stream.
    std::size_t dataVerified = 0;  // whole, and the checksum holds
    std::size_t dataUnchecked = 0; // no checksum recorded, or not saved whole
    bool nameUnchecked = false;    // and then named in `unchecked`
    std::vector<DamagedFile> unchecked;
    std::vector<DamagedFile> damaged;
    std::vector<std::size_t> verifiedRows; // the rows whose data matched their checksum
    std::vector<DamagedFile> checksumLost; // saved whole, but their recorded checksum was lost

    // Modification dates given to saved files and folders (when asked to).
    std::size_t datesRestored = 0;
    std::size_t datesUnknown = 0; // unknown or out of range: left as saved
    std::size_t datesRefused = 0; // the file system refused them

    // Records whether the data of a saved row match its recorded checksum.
    void NoteDataCheck(std::size_t row, std::string_view path, bool checked, bool intact);
    // Records a row saved whole whose checksum the backup should hold and does not.
    void NoteChecksumLost(std::size_t row, std::string_view path);

    // Chosen rows not saved completely, those probably not a file left out.
    std::size_t LossCount() const;
};

class CatalogueStore;
// After a save of the store's ticked rows: every ticked row gets "saved",
// "partly saved" or "not saved" (a failure, or a row the save did not
// reach), and the data checks made on the way ("verified", "damaged").
void MarkSavedRows(const ExtractionReport& report, CatalogueStore& store);

// The full path of row `row`'s file, or "" when the save left none under its name.
std::string SavedFilePath(const ExtractionReport& report, std::size_t row);
// The full path the catalogue folder `folder` ("BKF\set\dir\") went to, or "" when it holds no saved file.
std::string SavedFolderPath(const ExtractionReport& report, std::string_view folder);

// One line describing a failure, for the report the user reads.
std::string DescribeFailure(const SaveFailure& failure);

// "incomplete copies kept as a.txt.partial, a.txt.partial1", for the report the user reads.
std::string DescribeKeptAside(const KeptAside& kept);

// "3 files not saved: the disk is full", or empty when the disk never filled up.
std::string DiskFullSummary(const ExtractionReport& report);
// "data check: 5 files verified, 1 damaged, 0 unchecked", with the files
// whose checksum was lost when there are any; empty when no saved file had or
// should have had a checksum to check against.
std::string DataCheckSummary(const ExtractionReport& report);
// "dates: 5 restored, 1 unknown or out of range, 0 refused".
std::string DatesSummary(const ExtractionReport& report);
