#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// Root passes every file-mode check. While this object lives, the process
// runs without those overrides, so that read-only and unreadable files and
// folders refuse it as they refuse a user. Does nothing for other users.
class WithoutRootOverride {
public:
    WithoutRootOverride()
    {
        if (::geteuid() != 0 || ::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        m_dropped = ::syscall(SYS_capset, &m_header, reduced) == 0;
    }

    ~WithoutRootOverride()
    {
        if (m_dropped)
            ::syscall(SYS_capset, &m_header, m_saved);
    }

    // Returns whether file modes now bind this process.
    bool modesBind() const { return ::geteuid() != 0 || m_dropped; }

    WithoutRootOverride(const WithoutRootOverride&) = delete;
    WithoutRootOverride& operator=(const WithoutRootOverride&) = delete;

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_dropped = false;
};
