#include "picture/syscall_filter.h"

#include <seccomp.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <initializer_list>

namespace varnel {

namespace {

// Calls the picture library, its codecs, stdio and the allocator make while decoding a
// picture from a descriptor (checked with strace), with those of ending the process.
constexpr int kAllowed[] = {
    SCMP_SYS(read), SCMP_SYS(readv), SCMP_SYS(pread64), SCMP_SYS(lseek), SCMP_SYS(fstat),
    SCMP_SYS(newfstatat), SCMP_SYS(fcntl), SCMP_SYS(close), SCMP_SYS(munmap), SCMP_SYS(mremap),
    SCMP_SYS(madvise), SCMP_SYS(brk), SCMP_SYS(futex), SCMP_SYS(rt_sigprocmask),
    SCMP_SYS(rt_sigreturn), SCMP_SYS(clock_gettime), SCMP_SYS(gettimeofday), SCMP_SYS(getpid),
    SCMP_SYS(gettid), SCMP_SYS(exit), SCMP_SYS(exit_group),
    // Sanitizer runtimes look at the signal stack when a codec jumps out of an error.
    SCMP_SYS(sigaltstack)};

// Allocations may make memory readable and writable, never executable.
constexpr int kMemoryCalls[] = {SCMP_SYS(mmap), SCMP_SYS(mprotect)};
constexpr int kProtectionArgument = 2;

constexpr int kStandardError = STDERR_FILENO;

int AddRules(scmp_filter_ctx filter, int channel) {
  for (int call : kAllowed) {
    if (int error = seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 0); error != 0) return error;
  }
  for (int call : kMemoryCalls) {
    const scmp_arg_cmp notExecutable =
        SCMP_CMP(kProtectionArgument, SCMP_CMP_MASKED_EQ, PROT_EXEC, 0);
    if (int error = seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 1, notExecutable); error != 0)
      return error;
  }
  for (int call : {SCMP_SYS(sendmsg), SCMP_SYS(recvmsg)}) {
    const scmp_arg_cmp onChannel = SCMP_A0(SCMP_CMP_EQ, static_cast<scmp_datum_t>(channel));
    if (int error = seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 1, onChannel); error != 0)
      return error;
  }
  for (int call : {SCMP_SYS(write), SCMP_SYS(writev)}) {
    const scmp_arg_cmp toStandardError = SCMP_A0(SCMP_CMP_EQ, kStandardError);
    if (int error = seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 1, toStandardError); error != 0)
      return error;
  }
  return 0;
}

}  // namespace

// SCMP_FLTATR_CTL_OPTIMIZE's value for a filter sorted into a binary tree.
constexpr uint32_t kBinaryTree = 2;

int RestrictToDecoding(int channel) {
  scmp_filter_ctx filter = seccomp_init(SCMP_ACT_KILL_PROCESS);
  if (filter == nullptr) return ENOMEM;
  // Judged as a binary tree of call numbers rather than a list walked call by call: with
  // the list, decoders filtered this way spent about a tenth more CPU time on a window's
  // Load of photographs. A library too old to sort the filter keeps the list.
  (void)seccomp_attr_set(filter, SCMP_FLTATR_CTL_OPTIMIZE, kBinaryTree);
  int error = AddRules(filter, channel);
  if (error == 0) error = seccomp_load(filter);
  seccomp_release(filter);
  return error < 0 ? -error : error;
}

}  // namespace varnel
