// Where a backend is known to differ from a conformance case today, and why. Such a case
// still runs, and must fail; once it passes its entry has to go.
#pragma once

#include <string_view>

namespace conformance {

struct KnownDifference {
    const char* pszBackend;
    const char* pszCase;
    const char* pszWhy;
};

// The entry for this backend and case, or null when the backend must pass it.
const KnownDifference* FindKnownDifference(std::string_view backend, std::string_view caseName);

} // namespace conformance
