#pragma once
#include <string>
#include <windows.h>

// Shift-JIS as the program holds its texts (names outside it as "?"), or UTF-8 with a
// byte-order mark and the names as the file system spells them.
enum class CsvEncoding { ShiftJis, Utf8 };

// Appending to a file that cannot be continued in its own encoding: UTF-16 (with or
// without a byte-order mark), or Shift-JIS when UTF-8 was asked for.
struct UnappendableFile {
    std::string Reason;
};

// A CSV file open for writing: emptied first when overwrite, else appended after its end
// without changing a byte of it (a line break first when its last line has none). An
// appended file keeps its own encoding: UTF-8 when it starts with the byte-order mark or
// reads as UTF-8, else Shift-JIS; a new or emptied one gets the chosen encoding. When a
// failure leaves it (an exception passes while it is open), the file is put back as it
// was: an appended one cut back to its old end, a new one removed. Throws IoFailure or
// UnappendableFile.
class CsvFile {
public:
    CsvFile(const std::wstring& path, bool overwrite, CsvEncoding chosen);
    ~CsvFile();
    CsvFile(const CsvFile&) = delete;
    CsvFile& operator=(const CsvFile&) = delete;
    CsvEncoding Encoding() const { return encoding_; }
    // Buffers the bytes; writes out every megabyte. Throws IoFailure.
    void Write(const std::string& bytes);
    // Writes out what is buffered. Throws IoFailure.
    void Flush();

private:
    void ContinueAfterEnd(CsvEncoding chosen);

    std::wstring path_;
    HANDLE handle_;
    CsvEncoding encoding_;
    std::string pending_;
    bool created_ = false;  // the file did not exist before
    int64_t oldEnd_ = -1;   // where an appended file ended
    int exceptionsAtOpen_;  // exceptions in flight when it was opened
};
