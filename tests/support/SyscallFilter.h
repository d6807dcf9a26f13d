#pragma once
// Makes chosen system calls fail, or end the process, from now on: a way to make a file
// operation fail at an exact point even as root. It cannot be undone, so tests install it in
// a forked child, and fuzz targets in their own process.

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <vector>

namespace tolvane::test {

enum class SyscallAction {
    FailWithEPERM,
    KillProcess,  // as if the process crashed at that call
};

// True when the filter is in place for every thread of the process.
inline bool FilterSyscalls(const std::vector<long> &numbers, SyscallAction action)
{
#if defined(__x86_64__)
    constexpr __u32 arch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
    constexpr __u32 arch = AUDIT_ARCH_AARCH64;
#else
    return false;
#endif
    const __u32 result = action == SyscallAction::KillProcess ? SECCOMP_RET_KILL_PROCESS
                                                               : (SECCOMP_RET_ERRNO | (EPERM & SECCOMP_RET_DATA));
    const auto statement = [](__u16 code, __u32 k) { return sock_filter{code, 0, 0, k}; };
    const auto jumpIfEqual = [](__u32 k, __u8 ifTrue, __u8 ifFalse) {
        return sock_filter{BPF_JMP | BPF_JEQ | BPF_K, ifTrue, ifFalse, k};
    };

    std::vector<sock_filter> program;
    program.push_back(statement(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)));
    program.push_back(jumpIfEqual(arch, 1, 0));
    program.push_back(statement(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    program.push_back(statement(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)));
    for (const long number : numbers) {
        program.push_back(jumpIfEqual(static_cast<__u32>(number), 0, 1));
        program.push_back(statement(BPF_RET | BPF_K, result));
    }
    program.push_back(statement(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));

    const sock_fprog fprog{static_cast<unsigned short>(program.size()), program.data()};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, SECCOMP_FILTER_FLAG_TSYNC, &fprog) == 0;
}

// Every way a file can be renamed on this machine.
inline std::vector<long> RenameSyscalls()
{
#ifdef SYS_rename
    return {SYS_rename, SYS_renameat, SYS_renameat2};
#else
    return {SYS_renameat, SYS_renameat2};
#endif
}

// Every way a folder can be created on this machine.
inline std::vector<long> MkdirSyscalls()
{
#ifdef SYS_mkdir
    return {SYS_mkdir, SYS_mkdirat};
#else
    return {SYS_mkdirat};
#endif
}

}  // namespace tolvane::test
