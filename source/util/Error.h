// The program's one exception type, its error codes and their captions.
#pragma once

#include <cstdint>

enum Error_Code
{
    Error_None = 0,
    Error_OutOfMemory = 1,
    Error_DirectSound = 2,
    Error_QuickTime = 3,
    Error_OS = 4,
    Error_Agl = 5,
    Error_PolygonInvalid = 6,
    Error_OpenFile = 7,
    Error_ParseFile = 8,
    Error_PngRead = 9,
    Error_PngType = 10,
    Error_LineEquation = 11,
    Error_Count = 12
};

// Captions shown as the title of an error report, indexed by Error_Code.
extern char const* const Errors[Error_Count];

// Shows a report to the user and returns the dialog's result.
using Error_Reporter = int (*)(char const* caption, char const* text);

// Thrown and caught by value.
class Error
{
public:
    static constexpr int TextSize = 256;

    Error();
    explicit Error(Error_Code errCode);
    Error(Error_Code errCode, char const* message);
    Error(char const* message, std::int32_t osErr);

    Error_Code Code() const { return code; }
    std::int32_t OsError() const { return osError; }
    char const* Text() const { return text; }

    // Prints the report to stderr, then hands it to the reporter when one is
    // set and returns its result; 1 (OK) without a reporter.
    int Report() const;

    // Writes the caption Report shows (code 4 carries the OS error number).
    void Caption(char* out, int outSize) const;

    static void SetReporter(Error_Reporter reporter);

private:
    void SetText(char const* message);

    Error_Code code;
    std::int32_t osError; // meaningful for Error_OS only
    char text[TextSize];  // always NUL-terminated, truncated to fit
};
