#pragma once

// Every text of the program is Shift-JIS: on another ANSI code page its menus and the
// names it lists come out garbled. True when the process runs on code page 932; else
// one box says why and how to get it, and the caller ends without touching anything.
bool JapaneseCodePageOrRefuse();
