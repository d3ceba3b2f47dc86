#pragma once

// dxflib formats its numbers with printf and with a stream that takes the C++ global locale
// when it is opened. The user's locale may write "1,5" or group digits as "12.345", which
// breaks a DXF file, so the writer runs with classic number formatting on its thread.
namespace plantrek {

// For its lifetime, this thread formats numbers (and everything else) as the "C" locale does.
class NumericLocaleGuard {
public:
    NumericLocaleGuard();
    ~NumericLocaleGuard();
    NumericLocaleGuard(const NumericLocaleGuard&) = delete;
    NumericLocaleGuard& operator=(const NumericLocaleGuard&) = delete;

private:
    struct Saved;
    Saved* saved_ = nullptr;
};

// For its lifetime, streams opened on any thread format numbers classically. The C++ global
// locale is only touched when it would format numbers differently, and then only briefly:
// hold it just while a stream is being opened.
class StreamLocaleGuard {
public:
    StreamLocaleGuard();
    ~StreamLocaleGuard();
    StreamLocaleGuard(const StreamLocaleGuard&) = delete;
    StreamLocaleGuard& operator=(const StreamLocaleGuard&) = delete;

private:
    struct Saved;
    Saved* saved_ = nullptr;
};

}  // namespace plantrek
