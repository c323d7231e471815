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
    if (failure_) return;
    if (console_) {
        DWORD written = 0;
        if (!WriteConsoleW(handle_, real.data(), static_cast<DWORD>(real.size()), &written,
                           nullptr))
            failure_ = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
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
    // A full disk or a closed pipe does not stop the comparison, but what could not be
    // written is never passed over: the failure is kept for the end of the run.
    size_t done = 0;
    while (done < pending_.size() && !failure_) {
        DWORD written = 0;
        if (!WriteFile(handle_, pending_.data() + done, static_cast<DWORD>(pending_.size() - done),
                       &written, nullptr))
            failure_ = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
        else if (written == 0)
            failure_ = ERROR_DISK_FULL;
        done += written;
    }
    pending_.clear();
}

namespace {
// A control character's escape: the usual letter where there is one, else its code.
template <typename Text> void AppendEscape(Text& out, unsigned code)
{
    static const char hex[] = "0123456789ABCDEF";
    out += '\\';
    switch (code) {
    case '\t': out += 't'; return;
    case '\n': out += 'n'; return;
    case '\r': out += 'r'; return;
    }
    if (code > 0xFF) {
        out += 'u';
        for (int shift = 12; shift >= 0; shift -= 4)
            out += hex[(code >> shift) & 0xF];
        return;
    }
    out += 'x';
    out += hex[code >> 4];
    out += hex[code & 0xF];
}

bool IsControl(unsigned code)
{
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029;
}
} // namespace

std::string EscapedControls(const std::string& codePage)
{
    std::string out;
    out.reserve(codePage.size());
    for (size_t i = 0; i < codePage.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(codePage[i]);
        // A double-byte character goes whole: its trail byte is no character of its own.
        if (IsDBCSLeadByteEx(932, c) && i + 1 < codePage.size()) {
            out += codePage[i];
            out += codePage[++i];
        } else if (c < 0x20 || c == 0x7F) {
            AppendEscape(out, c);
        } else {
            out += codePage[i];
        }
    }
    return out;
}

std::wstring EscapedControls(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text)
        if (IsControl(c))
            AppendEscape(out, c);
        else
            out += c;
    return out;
}
