// Run-time class information: a window class's name and its base, for type identification.
#pragma once

#include "wintypes.h"

struct CRuntimeClass {
    LPCSTR m_lpszClassName = nullptr;
    const CRuntimeClass* m_pBaseClass = nullptr;

    constexpr bool IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
        for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass)
            if (p == pBaseClass)
                return true;
        return false;
    }
};
