#include "mainwindow/Main.h"

// The toolbar's pictures, drawn with plain GDI on a 16 x 16 grid that the picture list
// maps onto the size the DPI asks for, so no bitmap file is needed.
namespace {
enum Picture {
    ExitPicture,
    IconPicture,
    SmallIconPicture,
    ListPicture,
    ReportPicture,
    AllSlctPicture,
    FolderChangePicture,
    CompPicture,
    WholeCompPicture,
    PictureCount
};

void Box(HDC dc, int l, int t, int r, int b, COLORREF fill, COLORREF line)
{
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, line);
    HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
    Rectangle(dc, l, t, r, b);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int width = 1)
{
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void Draw(HDC dc, int index, bool disabled)
{
    const COLORREF ink = disabled ? RGB(128, 128, 128) : RGB(0, 0, 0);
    const COLORREF blue = disabled ? RGB(160, 160, 160) : RGB(0, 64, 192);
    const COLORREF paper = disabled ? RGB(212, 208, 200) : RGB(255, 255, 255);
    const COLORREF yellow = disabled ? RGB(192, 192, 192) : RGB(255, 224, 96);
    switch (index) {
    case ExitPicture: // an open door
        Box(dc, 3, 1, 12, 15, paper, ink);
        Box(dc, 3, 1, 9, 15, disabled ? paper : RGB(160, 96, 32), ink);
        Line(dc, 7, 8, 8, 8, ink);
        Line(dc, 11, 8, 15, 8, disabled ? ink : RGB(192, 0, 0), 2);
        break;
    case IconPicture:
        Box(dc, 1, 1, 7, 7, blue, ink);
        Box(dc, 9, 1, 15, 7, blue, ink);
        Box(dc, 1, 9, 7, 15, blue, ink);
        Box(dc, 9, 9, 15, 15, blue, ink);
        break;
    case SmallIconPicture:
        for (int y = 1; y < 15; y += 5)
            for (int x = 1; x < 15; x += 7) {
                Box(dc, x, y, x + 3, y + 3, blue, ink);
                Line(dc, x + 4, y + 1, x + 7, y + 1, ink);
            }
        break;
    case ListPicture:
        for (int y = 1; y < 15; y += 4)
            for (int x = 1; x < 15; x += 8) {
                Box(dc, x, y, x + 3, y + 3, blue, ink);
                Line(dc, x + 4, y + 1, x + 7, y + 1, ink);
            }
        break;
    case ReportPicture:
        for (int y = 1; y < 15; y += 4) {
            Box(dc, 1, y, 4, y + 3, blue, ink);
            Line(dc, 5, y + 1, 15, y + 1, ink);
        }
        break;
    case AllSlctPicture:
        Box(dc, 1, 1, 15, 15, disabled ? paper : RGB(0, 0, 128), ink);
        for (int y = 4; y < 13; y += 4)
            Line(dc, 4, y, 12, y, paper);
        break;
    case FolderChangePicture: // two folders and arrows between them
        Box(dc, 0, 1, 7, 6, yellow, ink);
        Box(dc, 9, 10, 16, 15, yellow, ink);
        Line(dc, 12, 2, 12, 8, blue, 2);
        Line(dc, 10, 6, 12, 8, blue);
        Line(dc, 14, 6, 12, 8, blue);
        Line(dc, 4, 14, 4, 8, blue, 2);
        Line(dc, 2, 10, 4, 8, blue);
        Line(dc, 6, 10, 4, 8, blue);
        break;
    case CompPicture: // two pages side by side with a mark between
        Box(dc, 0, 2, 7, 15, paper, ink);
        Box(dc, 9, 2, 16, 15, paper, ink);
        for (int y = 5; y < 14; y += 3) {
            Line(dc, 2, y, 5, y, ink);
            Line(dc, 11, y, 14, y, y == 8 && !disabled ? RGB(208, 0, 0) : ink);
        }
        break;
    case WholeCompPicture: // two folders side by side, each with its pages
        for (int x : {0, 9}) {
            Box(dc, x, 2, x + 4, 5, yellow, ink);
            Box(dc, x, 4, x + 7, 15, yellow, ink);
            Line(dc, x + 2, 8, x + 5, 8, ink);
            Line(dc, x + 2, 11, x + 5, 11, x == 9 && !disabled ? RGB(208, 0, 0) : ink);
        }
        break;
    }
}
} // namespace

HIMAGELIST CreateToolBarPictures(int size, bool disabled)
{
    return DrawPictureList(PictureCount, Draw, disabled, size);
}
