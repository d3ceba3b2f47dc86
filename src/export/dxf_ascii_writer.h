#pragma once

#include <dl_codes.h>
#include <dl_writer_ascii.h>

#include <string>

// dxflib's ASCII writer, writing real numbers exactly as the library does but without pushing
// the file out to the system after each one, which made a large drawing cost one system call
// per number; the stream flushes in blocks and when it is closed. The numbers are formatted
// in a buffer large enough for any double, so a coordinate far from the origin cannot overrun
// it.
namespace plantrek {

class DxfAsciiWriter : public DL_WriterA {
public:
    DxfAsciiWriter(const char* path, DL_Codes::version version) : DL_WriterA(path, version) {}

    void dxfReal(int groupCode, double value) const override;

    // The text of a real: fixed point with 16 decimals (6 for the minimal R12 version), then
    // the zeros after the first decimal cut away.
    static std::string FormatReal(double value, DL_Codes::version version);
};

}  // namespace plantrek
