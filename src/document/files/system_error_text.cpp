#include "document/files/system_error_text.h"

#include <QtGlobal>

#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace plantrek {

namespace {

QString SystemText(int code) {
#if defined(Q_OS_WIN)
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    QString text;
    if (length != 0 && buffer != nullptr) {
        text = QString::fromWCharArray(buffer, static_cast<qsizetype>(length));
    }
    LocalFree(buffer);
    return text;
#elif defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 32))
    // The untranslated description, or null when the code has none.
    const char* description = strerrordesc_np(code);
    return description != nullptr ? QString::fromUtf8(description) : QString();
#else
    char buffer[512] = {};
    if (strerror_r(code, buffer, sizeof buffer) != 0) {
        return QString();
    }
    return QString::fromLocal8Bit(buffer);
#endif
}

}  // namespace

QString GetSystemErrorText(int code) {
    QString text = SystemText(code);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) {
            text.truncate(i);
            break;
        }
    }
    if (text.isEmpty()) {
        return QString::asprintf("Unknown error code %08x (%d)", static_cast<unsigned>(code),
                                 code & 0xFFFF);
    }
    return text;
}

}  // namespace plantrek
