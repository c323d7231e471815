#include "engine/TextRuleCheck.h"

#include "textdiff/TextDiff.h"
#include "toolkit/MessageBoxes.h"

namespace {
// The whole file as a mapped view; false when it cannot be opened or mapped.
bool MapFile(const FilePath& path, MappedBytes& bytes)
{
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool mapped = true;
    try {
        bytes.Map(file);
    } catch (const IoFailure&) {
        mapped = false;
    }
    CloseHandle(file);
    return mapped;
}
} // namespace

ContentsVerdict TextRuleVerdict(const FilePath& reference, const FilePath& target,
                                const TextOptions& options,
                                const std::function<void()>& atFixedPoint)
{
    MappedBytes a, b;
    if (!MapFile(reference, a) || !MapFile(target, b)) return cvDiffer;
    switch (CompareUnderTextRule(a.Data(), a.Size(), b.Data(), b.Size(), options, atFixedPoint)) {
    case TextRuleOutcome::EndingsOnly:
        return cvEolOnly;
    case TextRuleOutcome::EncodingOnly:
        return cvEncodingOnly;
    case TextRuleOutcome::Equivalent:
        return cvEquivalent;
    case TextRuleOutcome::Different:
        break;
    }
    return cvDiffer;
}

bool IsBinaryFile(const FilePath& path)
{
    MappedBytes bytes;
    if (!MapFile(path, bytes)) return true;
    return DetectEncoding(bytes.Data(), bytes.Size()).Encoding == TextEncoding::Binary;
}
