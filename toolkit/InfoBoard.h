#pragma once
#include "toolkit/Label.h"
#include "toolkit/Window.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

struct BoardPart;

// The fixed texts of a form drawn by one window: captions, values in sunken frames and
// the framed boxes around them. One window opens and paints far faster than a static per
// text; assistive technology still reads each text as an item of its own. The form places
// the parts (in pixels, at the board's DPI) whenever it lays itself out.
struct InfoBoard : Control {
    // What a text of a given width shows of a text and its real form (for example a path
    // shortened in the middle); measure gives a text's width in the board's font.
    using Shortening =
        std::function<std::wstring(const std::string& text, const std::wstring& real, int width,
                                   const std::function<int(const std::wstring&)>& measure)>;

    bool Create(HWND parent, int left, int top, int width, int height);

    // A box with a raised inner and lowered outer bevel.
    BoardPart AddBox();
    // A text: a caption, or a value in a sunken frame; centred vertically.
    BoardPart AddText(const std::string& text, TextAlign align = TextAlign::Left,
                      bool sunken = false);
    void Place(int part, const RECT& pixels);
    RECT PartRect(int part) const;

    // real: the text as the file system spells it, drawn instead where the code page cannot
    // hold it ("" or the same as text: not needed).
    void SetText(int part, const std::string& text, const std::wstring& real = {});
    const std::string& Text(int part) const;
    const std::wstring& RealText(int part) const;
    void SetShortening(int part, Shortening shortening);
    // What the part shows: the real form where there is one, shortened where set.
    std::wstring ShownText(int part) const;
    // Width of a text in the board's font, in pixels; kept until the font changes, as a
    // form lays itself out again at every change of size.
    int TextWidth(const std::string& text) const;
    // After a change of font: the board measures afresh.
    void FontChanged();

    void Paint(HDC dc) const;
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

private:
    struct Part {
        bool Box = false;
        std::string Text;
        std::wstring Real;
        TextAlign Align = TextAlign::Left;
        bool Sunken = false;
        RECT Bounds{};
        Shortening Shorten;
    };
    std::vector<Part> parts_;
    mutable std::unordered_map<std::string, int> widths_;
    std::wstring ShownText(const Part& part, HDC dc) const;
};

extern const char* const BoardClassName;

// One part of a board, named as the control it stands for.
struct BoardPart {
    InfoBoard* Board = nullptr;
    int Index = -1;
    const std::string& Text() const { return Board->Text(Index); }
    void SetText(const std::string& text, const std::wstring& real = {})
    {
        Board->SetText(Index, text, real);
    }
    std::wstring ShownText() const { return Board->ShownText(Index); }
    RECT Bounds() const { return Board->PartRect(Index); }
    void Place(const RECT& pixels) { Board->Place(Index, pixels); }
};
