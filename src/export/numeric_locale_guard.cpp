#include "export/numeric_locale_guard.h"

#include <clocale>
#include <locale>
#include <string>

#include <locale.h>
#if defined(__APPLE__)
#include <xlocale.h>
#endif

namespace plantrek {

#if defined(_WIN32)

struct NumericLocaleGuard::Saved {
    int threadMode = 0;
    std::string numeric;
};

NumericLocaleGuard::NumericLocaleGuard() {
    const int mode = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    saved_ = new Saved{mode, current != nullptr ? current : "C"};
    std::setlocale(LC_NUMERIC, "C");
}

NumericLocaleGuard::~NumericLocaleGuard() {
    std::setlocale(LC_NUMERIC, saved_->numeric.c_str());
    _configthreadlocale(saved_->threadMode);
    delete saved_;
}

#else

struct NumericLocaleGuard::Saved {
    locale_t previous;
    locale_t classic;
};

NumericLocaleGuard::NumericLocaleGuard() {
    // The whole "C" locale rather than the current one with numbers replaced: nothing on this
    // thread depends on the character type while a drawing is written, and glibc's newlocale
    // only skips its search path (and a small leak there) for the plain "C" locale.
    const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (classic == static_cast<locale_t>(nullptr)) {
        return;
    }
    saved_ = new Saved{uselocale(classic), classic};
}

NumericLocaleGuard::~NumericLocaleGuard() {
    if (saved_ == nullptr) {
        return;
    }
    uselocale(saved_->previous);
    freelocale(saved_->classic);
    delete saved_;
}

#endif

struct StreamLocaleGuard::Saved {
    std::locale previous;
};

namespace {

bool FormatsNumbersClassically(const std::locale& locale) {
    const auto& own = std::use_facet<std::numpunct<char>>(locale);
    const auto& classic = std::use_facet<std::numpunct<char>>(std::locale::classic());
    return own.decimal_point() == classic.decimal_point() && own.grouping().empty() &&
           own.truename() == classic.truename() && own.falsename() == classic.falsename();
}

}  // namespace

StreamLocaleGuard::StreamLocaleGuard() {
    const std::locale current;
    if (FormatsNumbersClassically(current)) {
        return;
    }
    // A locale built from a facet has no name, so making it global leaves the C locale as it
    // is; only putting the named one back restores it, to what it was already.
    saved_ = new Saved{current};
    std::locale::global(std::locale(current, new std::numpunct<char>()));
}

StreamLocaleGuard::~StreamLocaleGuard() {
    if (saved_ == nullptr) {
        return;
    }
    std::locale::global(saved_->previous);
    delete saved_;
}

}  // namespace plantrek
