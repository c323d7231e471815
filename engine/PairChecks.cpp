#include "engine/PairChecks.h"

#include "filebytes/BlockReader.h"
#include "filebytes/FirstDifference.h"
#include "toolkit/MessageBoxes.h"

namespace {
// Closes the file on every way out of a check.
struct FileHandle {
    HANDLE Value = INVALID_HANDLE_VALUE;
    explicit FileHandle(HANDLE value) : Value(value) {}
    ~FileHandle()
    {
        if (Value != INVALID_HANDLE_VALUE) CloseHandle(Value);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsOpen() const { return Value != INVALID_HANDLE_VALUE; }
};

bool LocalTimeOf(const FILETIME& utc, SYSTEMTIME& local)
{
    FILETIME localTime;
    return FileTimeToLocalFileTime(&utc, &localTime) && FileTimeToSystemTime(&localTime, &local);
}

// Local time counted in the 2-second steps of the MS-DOS format (seconds truncated as
// the format truncates them), so that two times one step apart are one step apart
// whatever minute, hour or day boundary lies between them.
int64_t LocalTwoSecondSteps(const FILETIME& utc)
{
    FILETIME local;
    if (!FileTimeToLocalFileTime(&utc, &local)) return -1;
    uint64_t ticks = (static_cast<uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
    return static_cast<int64_t>(ticks / 20000000u);
}

int64_t SizeOfOpenFile(HANDLE file)
{
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    return size.QuadPart;
}
} // namespace

FileFacts LookUpFile(const FilePath& path)
{
    FileFacts facts;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.Text.empty()) {
        facts.Error = ERROR_PATH_NOT_FOUND;
        return facts;
    }
    if (!FileAttributesOf(path, data)) {
        facts.Error = GetLastError();
        return facts;
    }
    facts.Found = true;
    facts.Attributes = data.dwFileAttributes;
    facts.Size =
        static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    facts.LastWrite = data.ftLastWriteTime;
    return facts;
}

FileFacts FoundFacts(DWORD attributes, int64_t size, uint64_t lastWrite)
{
    FileFacts facts;
    facts.Found = true;
    facts.Attributes = attributes;
    facts.Size = size;
    facts.LastWrite.dwLowDateTime = static_cast<DWORD>(lastWrite);
    facts.LastWrite.dwHighDateTime = static_cast<DWORD>(lastWrite >> 32);
    return facts;
}

int32_t DosFileTime(const FilePath& path)
{
    FileFacts facts = LookUpFile(path);
    SYSTEMTIME t;
    if (!facts.IsFile() || !LocalTimeOf(facts.LastWrite, t)) return -1;
    // The format holds 1980..2107 only; Wine wraps later years instead of failing.
    if (t.wYear < 1980 || t.wYear > 2107) return -1;
    uint32_t date = (static_cast<uint32_t>(t.wYear - 1980) << 9) | (t.wMonth << 5) | t.wDay;
    uint32_t time = (t.wHour << 11) | (t.wMinute << 5) | (t.wSecond / 2);
    return static_cast<int32_t>((date << 16) | time);
}

bool FileExists(const FilePath& path)
{
    return LookUpFile(path).IsFile();
}

int64_t FileSizeOf(const FilePath& path)
{
    return LookUpFile(path).Size;
}

bool IsFileInUse(const FilePath& path)
{
    FileHandle file(OpenForReading(path));
    return !file.IsOpen();
}

DateVerdict CompareDate(const FileFacts& reference, const FileFacts& target)
{
    if (!target.IsFile()) return dvNotFound;
    int64_t r = LocalTwoSecondSteps(reference.LastWrite);
    int64_t t = LocalTwoSecondSteps(target.LastWrite);
    if (t == r) return dvSame;
    if (t - r == 1 || r - t == 1) return dvOSError;
    return t > r ? dvNewer : dvOlder;
}

SizeVerdict CompareSize(const FileFacts& reference, const FileFacts& target)
{
    if (!target.IsFile()) return svNotFound;
    if (target.Size == reference.Size) return svSame;
    return target.Size > reference.Size ? svLarger : svSmaller;
}

ContentsVerdict CompareContents(const FilePath& reference, const FileFacts& /*referenceFacts*/,
                                const FilePath& target, const FileFacts& targetFacts,
                                ContentsProgress& progress)
{
    if (!targetFacts.IsFile()) return cvNotFound;
    // The opens that read the files are the in-use tests: reference first.
    FileHandle referenceFile(OpenForReading(reference));
    if (!referenceFile.IsOpen()) return cvInUse;
    FileHandle targetFile(OpenForReading(target));
    // A target deleted since its lookup is missing, not in use.
    if (!targetFile.IsOpen())
        return FileFacts::IsNotFoundError(GetLastError()) ? cvNotFound : cvInUse;

    // The sizes of the files as opened, in case they changed since they were looked up.
    const int64_t size = SizeOfOpenFile(referenceFile.Value);
    const double total = size > 0 ? static_cast<double>(size) : 1.0;
    // Large files are compared in place, in their mapped views; the readers are gone
    // before the files are closed.
    BlockReader referenceBytes(referenceFile.Value, size, CompareBlockSize);
    BlockReader targetBytes(targetFile.Value, SizeOfOpenFile(targetFile.Value), CompareBlockSize);

    int64_t position = 0;
    DWORD referenceCount = 0, targetCount = 0;
    do {
        int percent = static_cast<int>(static_cast<double>(position) / total * 100);
        progress.SetProgressBar(percent);
        progress.SetProgDisp(std::to_string(percent) + "%");
        const uint8_t* referenceBlock = referenceBytes.Next(referenceCount);
        const uint8_t* targetBlock = targetBytes.Next(targetCount);
        DWORD common = referenceCount < targetCount ? referenceCount : targetCount;
        size_t differs = FirstDifference(referenceBlock, targetBlock, common);
        if (differs == ReadFaulted) {
            // A view could not be read (its file shrank, its drive went): the block is
            // read again, so that a read error is reported as any other.
            referenceBlock = referenceBytes.Reread(referenceCount);
            targetBlock = targetBytes.Reread(targetCount);
            common = referenceCount < targetCount ? referenceCount : targetCount;
            differs = FirstDifference(referenceBlock, targetBlock, common);
        }
        if (differs < common) return cvDiffer;
        progress.AtFixedPoint();
        position += referenceCount;
    } while (referenceCount != 0 && referenceCount == targetCount);
    return referenceCount == targetCount ? cvSame : cvDiffer;
}

DateVerdict CompareDate(const FilePath& reference, const FilePath& target)
{
    return CompareDate(LookUpFile(reference), LookUpFile(target));
}

SizeVerdict CompareSize(const FilePath& reference, const FilePath& target)
{
    return CompareSize(LookUpFile(reference), LookUpFile(target));
}

ContentsVerdict CompareContents(const FilePath& reference, const FilePath& target,
                                ContentsProgress& progress)
{
    return CompareContents(reference, LookUpFile(reference), target, LookUpFile(target), progress);
}
