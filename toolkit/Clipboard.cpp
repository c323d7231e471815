#include "toolkit/Clipboard.h"

#include "toolkit/CodePage.h"

#include <cstring>

namespace {
// A movable block holding the bytes and a terminating zero of their width.
HGLOBAL GlobalCopy(const void* data, size_t bytes, size_t terminator)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes + terminator);
    if (!block) return nullptr;
    auto* target = static_cast<char*>(GlobalLock(block));
    std::memcpy(target, data, bytes);
    std::memset(target + bytes, 0, terminator);
    GlobalUnlock(block);
    return block;
}
} // namespace

bool PutTextOnClipboard(HWND owner, const std::string& text, std::wstring wide)
{
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    if (wide.empty()) wide = WideOf(text);
    // Each block the clipboard takes is its own; one it refuses stays ours to free.
    auto put = [](UINT format, HGLOBAL block) {
        if (block && SetClipboardData(format, block)) return true;
        if (block) GlobalFree(block);
        return false;
    };
    bool wideSet = put(CF_UNICODETEXT, GlobalCopy(wide.data(), wide.size() * sizeof(wchar_t),
                                                  sizeof(wchar_t)));
    bool narrowSet = put(CF_TEXT, GlobalCopy(text.data(), text.size(), 1));
    CloseClipboard();
    return wideSet && narrowSet;
}
