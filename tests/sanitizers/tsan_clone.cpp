// Linked into the test programs of ThreadSanitizer builds only.
//
// QProcess starts children with clone(CLONE_VM | CLONE_VFORK): the child runs on the parent's memory until
// it execs. GCC 12's ThreadSanitizer handles every clone() like fork(), so that child marks the parent's
// own state "forked while multi-threaded": the parent then ignores its own thread's memory accesses and
// dies at its next thread start. Such clones go straight to the C library here; all others still pass
// through ThreadSanitizer.
#include <cstdarg>
#include <dlfcn.h>
#include <sched.h>
#include <sys/types.h>

extern "C" int __clone(int (*fn)(void*), void* stack, int flags, void* arg, ...);

extern "C" int clone(int (*fn)(void*), void* stack, int flags, void* arg, ...) {
    va_list rest;
    va_start(rest, arg);
    pid_t* parentTid = va_arg(rest, pid_t*);
    void* tls = va_arg(rest, void*);
    pid_t* childTid = va_arg(rest, pid_t*);
    va_end(rest);
    if (flags & CLONE_VM)
        return __clone(fn, stack, flags, arg, parentTid, tls, childTid);
    using Clone = int (*)(int (*)(void*), void*, int, void*, ...);
    static const auto next = reinterpret_cast<Clone>(dlsym(RTLD_NEXT, "clone"));
    return next(fn, stack, flags, arg, parentTid, tls, childTid);
}
