/* Preloaded (LD_PRELOAD) into 32-bit Wine when qemu-i386 runs it, to work around two bugs of
 * qemu 7.2 (Debian 12's) that Wine trips over:
 *
 * 1. qemu treats MAP_FIXED_NOREPLACE as a hint: when the range asked for is taken it maps
 *    elsewhere instead of failing with EEXIST. Wine's search for free address space then walks
 *    the whole space through about 65,000 mmap/munmap pairs, some 50 s of emulated work at each
 *    process start. The wrappers turn such a result back into the failure the kernel would give.
 * 2. qemu stores trap number -1 in the signal context of every synchronous signal, and Wine
 *    tells page faults from illegal instructions by that number, so every fault, even one
 *    IsBadReadPtr provokes, kills the process. The sigaction wrapper puts a trampoline in front
 *    of Wine's handlers that sets the trap number from the signal and its si_code.
 *
 * Built without libc (no 32-bit libc headers are needed) and without a stack protector: the
 * trampoline runs before Wine's handler has restored the thread's segment registers, so it must
 * not touch libc's thread-local storage, errno included. The 64-bit build is empty: with $LIB in
 * the LD_PRELOAD path the native 64-bit processes of a session (wineserver) load that one. */

#if defined(__i386__)

/* Linux i386 types and values: no libc headers are included. */
typedef unsigned int size_type;
typedef long long offset64;

#define RTLD_NEXT ((void*)-1L)
#define MAP_FAILED ((void*)-1L)
#define MAP_FIXED_NOREPLACE 0x100000
#define EEXIST 17
#define SA_SIGINFO 4
#define SI_KERNEL 0x80

enum { SIGILL = 4, SIGTRAP = 5, SIGBUS = 7, SIGFPE = 8, SIGSEGV = 11, SIGNAL_COUNT = 65 };
enum { BUS_ADRALN = 1, FPE_INTDIV = 1, FPE_INTOVF = 2, TRAP_TRACE = 2 };

/* x86 exception vectors, as the kernel reports them in the signal context. */
enum {
  TRAP_DIVIDE = 0, TRAP_SINGLE_STEP = 1, TRAP_BREAKPOINT = 3, TRAP_OVERFLOW = 4,
  TRAP_INVALID_OPCODE = 6, TRAP_PROTECTION = 13, TRAP_PAGE_FAULT = 14, TRAP_X87 = 16,
  TRAP_ALIGNMENT = 17, TRAP_HIGHEST = 31
};

void* dlsym(void* handle, const char* name);
int* __errno_location(void);
int munmap(void* addr, size_type length);

typedef void* mmap_function(void* addr, size_type length, int prot, int flags, int fd, long offset);
typedef void* mmap64_function(void* addr, size_type length, int prot, int flags, int fd,
                              offset64 offset);

static void* refuse_moved_mapping(void* wanted, void* got, size_type length, int flags) {
  if (!(flags & MAP_FIXED_NOREPLACE) || got == MAP_FAILED || got == wanted) return got;
  munmap(got, length);
  *__errno_location() = EEXIST;
  return MAP_FAILED;
}

void* mmap(void* addr, size_type length, int prot, int flags, int fd, long offset) {
  static mmap_function* real;
  if (!real) real = (mmap_function*)dlsym(RTLD_NEXT, "mmap");
  return refuse_moved_mapping(addr, real(addr, length, prot, flags, fd, offset), length, flags);
}

void* mmap64(void* addr, size_type length, int prot, int flags, int fd, offset64 offset) {
  static mmap64_function* real;
  if (!real) real = (mmap64_function*)dlsym(RTLD_NEXT, "mmap64");
  return refuse_moved_mapping(addr, real(addr, length, prot, flags, fd, offset), length, flags);
}

/* The start of the i386 siginfo_t and ucontext_t, as the kernel (and qemu) lay them out. */
struct siginfo_start {
  int signo;
  int error;
  int code;
};

struct ucontext_start {
  unsigned long flags;
  void* link;
  void* stack_pointer;
  int stack_flags;
  size_type stack_size;
  unsigned long gs, fs, es, ds, edi, esi, ebp, esp, ebx, edx, ecx, eax;
  unsigned long trap_number;
};

/* glibc's struct sigaction on i386. */
typedef void signal_handler(int, struct siginfo_start*, struct ucontext_start*);
struct user_sigaction {
  signal_handler* handler;
  unsigned long mask[32];
  int flags;
  void (*restorer)(void);
};

typedef int sigaction_function(int, const struct user_sigaction*, struct user_sigaction*);

static signal_handler* volatile wine_handlers[SIGNAL_COUNT];

static unsigned long trap_number_of(int signal, int code) {
  switch (signal) {
    case SIGSEGV: return code == SI_KERNEL ? TRAP_PROTECTION : TRAP_PAGE_FAULT;
    case SIGBUS: return code == BUS_ADRALN ? TRAP_ALIGNMENT : TRAP_PAGE_FAULT;
    case SIGILL: return TRAP_INVALID_OPCODE;
    case SIGFPE:
      return code == FPE_INTDIV ? TRAP_DIVIDE : code == FPE_INTOVF ? TRAP_OVERFLOW : TRAP_X87;
    default: return code == TRAP_TRACE ? TRAP_SINGLE_STEP : TRAP_BREAKPOINT;
  }
}

__attribute__((force_align_arg_pointer)) static void set_trap_number_then_call_wine(
    int signal, struct siginfo_start* info, struct ucontext_start* context) {
  if (context->trap_number > TRAP_HIGHEST)
    context->trap_number = trap_number_of(signal, info->code);
  wine_handlers[signal](signal, info, context);
}

static int is_synchronous(int signal) {
  return signal == SIGSEGV || signal == SIGBUS || signal == SIGILL || signal == SIGFPE ||
         signal == SIGTRAP;
}

int sigaction(int signal, const struct user_sigaction* action, struct user_sigaction* old) {
  static sigaction_function* real;
  if (!real) real = (sigaction_function*)dlsym(RTLD_NEXT, "sigaction");
  if (!is_synchronous(signal)) return real(signal, action, old);

  signal_handler* previous = wine_handlers[signal];
  int result;
  if (action && (action->flags & SA_SIGINFO)) {
    struct user_sigaction wrapped = *action;
    wine_handlers[signal] = action->handler;
    wrapped.handler = set_trap_number_then_call_wine;
    result = real(signal, &wrapped, old);
  } else {
    result = real(signal, action, old);
  }
  if (result == 0 && old && old->handler == set_trap_number_then_call_wine) old->handler = previous;
  return result;
}

#endif
