#include "console/ConsoleText.h"

#include "toolkit/CodePage.h"

namespace {
const size_t FlushSize = 1 << 20;
} // namespace

OutputStream::OutputStream(DWORD which, bool utf8) : handle_(GetStdHandle(which)), utf8_(utf8)
{
    DWORD mode = 0;
    console_ = GetFileType(handle_) == FILE_TYPE_CHAR && GetConsoleMode(handle_, &mode);
}

OutputStream::~OutputStream()
{
    Flush();
}

void OutputStream::Write(const std::string& codePage, const std::wstring& real)
{
    if (console_) {
        DWORD written = 0;
        WriteConsoleW(handle_, real.data(), static_cast<DWORD>(real.size()), &written, nullptr);
        return;
    }
    pending_ += utf8_ ? Utf8Of(real) : codePage;
    if (pending_.size() >= FlushSize) Flush();
}

void OutputStream::Write(const std::string& codePage)
{
    Write(codePage, console_ || utf8_ ? WideOf(codePage) : std::wstring());
}

void OutputStream::Write(const std::wstring& text)
{
    Write(console_ || utf8_ ? std::string() : CodePageText(text), text);
}

void OutputStream::WriteBytes(const std::string& bytes, const std::wstring& shown)
{
    if (console_) {
        Write(std::string(), shown);
        return;
    }
    pending_ += bytes;
    if (pending_.size() >= FlushSize) Flush();
}

void OutputStream::Flush()
{
    // A closed pipe (a reader that quit early) is no reason to stop the comparison.
    size_t done = 0;
    while (done < pending_.size()) {
        DWORD written = 0;
        if (!WriteFile(handle_, pending_.data() + done, static_cast<DWORD>(pending_.size() - done),
                       &written, nullptr) ||
            written == 0)
            break;
        done += written;
    }
    pending_.clear();
}
