#pragma once
// Clang's thread-safety analysis: what each lock guards and which functions
// need it held, checked at compile time by the clang build (-Wthread-safety,
// the "thread-safety" preset). Under other compilers the macros expand to
// nothing.

#if defined(__clang__)
#define ZEPH_THREAD_ANNOTATION(x) __attribute__((x))
#else
#define ZEPH_THREAD_ANNOTATION(x)
#endif

// A class whose objects are locks.
#define CAPABILITY(name) ZEPH_THREAD_ANNOTATION(capability(name))
// A class whose objects hold a lock for their lifetime (RAII).
#define SCOPED_CAPABILITY ZEPH_THREAD_ANNOTATION(scoped_lockable)
// A member read and written only while the lock is held.
#define GUARDED_BY(lock) ZEPH_THREAD_ANNOTATION(guarded_by(lock))
// A pointer member whose pointee is read and written only under the lock.
#define PT_GUARDED_BY(lock) ZEPH_THREAD_ANNOTATION(pt_guarded_by(lock))
// The caller holds these locks.
#define REQUIRES(...) ZEPH_THREAD_ANNOTATION(requires_capability(__VA_ARGS__))
// The caller does not hold these locks (the function takes them).
#define EXCLUDES(...) ZEPH_THREAD_ANNOTATION(locks_excluded(__VA_ARGS__))
// The function takes, or gives back, these locks (none named: the object).
#define ACQUIRE(...) ZEPH_THREAD_ANNOTATION(acquire_capability(__VA_ARGS__))
#define RELEASE(...) ZEPH_THREAD_ANNOTATION(release_capability(__VA_ARGS__))
// The function takes the locks when it returns the given value.
#define TRY_ACQUIRE(...) ZEPH_THREAD_ANNOTATION(try_acquire_capability(__VA_ARGS__))
// The function returns a reference to this lock.
#define RETURN_CAPABILITY(lock) ZEPH_THREAD_ANNOTATION(lock_returned(lock))
// The analysis cannot follow this function; say why where it is used.
#define NO_THREAD_SAFETY_ANALYSIS ZEPH_THREAD_ANNOTATION(no_thread_safety_analysis)
