/* Preloaded into the 32-bit Wine processes under qemu-i386: puts back the trap number of a fault's signal context.
 *
 * qemu-user leaves gregs[REG_TRAPNO] of an i386 signal context at -1, and Wine's i386 signal handlers choose the
 * Windows exception from it, so every access violation would reach the program as an illegal instruction and
 * guard pages (stack growth, PAGE_GUARD) would never fire. sigaction() is wrapped for the fault signals, and the
 * handler Wine installs runs behind a trampoline that fills the trap number (and a missing page-fault error code)
 * in from siginfo, as the kernel would have. Built freestanding with the host's gcc -m32: no 32-bit headers. */
#define RTLD_NEXT ((void *)-1L)
#define SA_SIGINFO 4

enum { kSigIll = 4, kSigTrap = 5, kSigBus = 7, kSigFpe = 8, kSigSegv = 11 };
enum { kRegTrapNo = 12, kRegErr = 13 }; /* indexes into gregs */

struct i386_sigaction { /* glibc's struct sigaction on i386 */
    void *handler;
    unsigned long mask[32];
    int flags;
    void (*restorer)(void);
};
struct i386_siginfo {
    int signo, error, code;
    void *addr;
};
typedef void (*info_handler)(int, struct i386_siginfo *, void *);

extern void *dlsym(void *, const char *);
static int (*next_sigaction)(int, const struct i386_sigaction *, struct i386_sigaction *);
static info_handler installed[32];

static int is_fault(int sig)
{
    return sig == kSigSegv || sig == kSigBus || sig == kSigIll || sig == kSigFpe || sig == kSigTrap;
}

/* The x86 exception vector the kernel would have stored for this signal. */
static int vector_of(int sig, const struct i386_siginfo *info, int *error)
{
    switch (sig) {
    case kSigSegv:
        if (info->code == 0x80) /* SI_KERNEL: a general-protection fault */
            return 13;
        if (!(*error & 4))        /* a user-mode page fault; bit 0 tells a protection fault from a missing page */
            *error = 4 | (info->code == 2);
        return 14;
    case kSigBus:
        return info->code == 1 ? 17 : 14; /* BUS_ADRALN: alignment check */
    case kSigIll:
        return 6;
    case kSigFpe:
        return info->code == 1 ? 0 : info->code == 2 ? 4 : 16; /* divide error, overflow, x87 error */
    default:
        return info->code == 2 ? 1 : 3; /* SIGTRAP: TRAP_TRACE is a debug trap, the rest int3 */
    }
}

static void trampoline(int sig, struct i386_siginfo *info, void *context)
{
    int *gregs = (int *)((char *)context + 20); /* after uc_flags, uc_link and the 12-byte uc_stack */
    if (gregs[kRegTrapNo] < 0 || gregs[kRegTrapNo] > 31)
        gregs[kRegTrapNo] = vector_of(sig, info, &gregs[kRegErr]);
    installed[sig](sig, info, context);
}

int sigaction(int sig, const struct i386_sigaction *act, struct i386_sigaction *old)
{
    info_handler previous = is_fault(sig) ? installed[sig] : 0;
    int result;
    if (!next_sigaction)
        next_sigaction = dlsym(RTLD_NEXT, "sigaction");
    if (is_fault(sig) && act && (act->flags & SA_SIGINFO) && (unsigned long)act->handler > 1) {
        struct i386_sigaction wrapped = *act;
        installed[sig] = (info_handler)act->handler;
        wrapped.handler = (void *)trampoline;
        result = next_sigaction(sig, &wrapped, old);
    } else {
        result = next_sigaction(sig, act, old);
        if (is_fault(sig) && act && result == 0)
            installed[sig] = 0;
    }
    if (result == 0 && old && old->handler == (void *)trampoline)
        old->handler = (void *)previous;
    return result;
}
