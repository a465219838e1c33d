#pragma once
// Root gets past file permissions through two capabilities. Without them in the effective set of
// the calling thread, permissions hold for root as for anyone else until the returned guard goes.
#include <QScopeGuard>

#include <array>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

inline auto holdPermissions()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    std::array<__user_cap_data_struct, 2> saved{};
    const bool read = syscall(SYS_capget, &header, saved.data()) == 0;
    auto reduced = saved;
    reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    const bool held = read && syscall(SYS_capset, &header, reduced.data()) == 0;
    return qScopeGuard([=]() mutable {
        if (held) syscall(SYS_capset, &header, saved.data());
    });
}
