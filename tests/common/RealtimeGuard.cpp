#include "RealtimeGuard.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <pthread.h>
#include <semaphore.h>
#include <unistd.h>

namespace
{
thread_local bool counting = false;
thread_local RealtimeGuard::Counts counts;

inline void count(long RealtimeGuard::Counts::*field)
{
    if (counting)
        ++(counts.*field);
}
} // namespace

namespace RealtimeGuard
{
Scope::Scope()
{
    ::counts = {};
    counting = true;
}

Scope::~Scope()
{
    counting = false;
}

Counts Scope::counts() const
{
    return ::counts;
}
} // namespace RealtimeGuard

extern "C"
{
    void* __real_malloc(size_t);
    void* __real_calloc(size_t, size_t);
    void* __real_realloc(void*, size_t);
    void __real_free(void*);
    int __real_posix_memalign(void**, size_t, size_t);
    void* __real_aligned_alloc(size_t, size_t);
    int __real_pthread_mutex_lock(pthread_mutex_t*);
    int __real_pthread_mutex_trylock(pthread_mutex_t*);
    int __real_pthread_rwlock_rdlock(pthread_rwlock_t*);
    int __real_pthread_rwlock_wrlock(pthread_rwlock_t*);
    int __real_pthread_cond_wait(pthread_cond_t*, pthread_mutex_t*);
    int __real_sem_wait(sem_t*);
    ssize_t __real_write(int, const void*, size_t);
    size_t __real_fwrite(const void*, size_t, size_t, FILE*);
    int __real_fputs(const char*, FILE*);
    int __real_puts(const char*);
    int __real_vfprintf(FILE*, const char*, va_list);
    FILE* __real_fopen(const char*, const char*);
    int __real_fputc(int, FILE*);
    int __real_putc(int, FILE*);

    void* __wrap_malloc(size_t size)
    {
        count(&RealtimeGuard::Counts::allocations);
        return __real_malloc(size);
    }
    void* __wrap_calloc(size_t n, size_t size)
    {
        count(&RealtimeGuard::Counts::allocations);
        return __real_calloc(n, size);
    }
    void* __wrap_realloc(void* p, size_t size)
    {
        count(&RealtimeGuard::Counts::allocations);
        return __real_realloc(p, size);
    }
    void __wrap_free(void* p)
    {
        if (p != nullptr)
            count(&RealtimeGuard::Counts::deallocations);
        __real_free(p);
    }
    int __wrap_posix_memalign(void** p, size_t alignment, size_t size)
    {
        count(&RealtimeGuard::Counts::allocations);
        return __real_posix_memalign(p, alignment, size);
    }
    void* __wrap_aligned_alloc(size_t alignment, size_t size)
    {
        count(&RealtimeGuard::Counts::allocations);
        return __real_aligned_alloc(alignment, size);
    }
    int __wrap_pthread_mutex_lock(pthread_mutex_t* m)
    {
        count(&RealtimeGuard::Counts::locks);
        return __real_pthread_mutex_lock(m);
    }
    int __wrap_pthread_mutex_trylock(pthread_mutex_t* m)
    {
        count(&RealtimeGuard::Counts::locks);
        return __real_pthread_mutex_trylock(m);
    }
    int __wrap_pthread_rwlock_rdlock(pthread_rwlock_t* l)
    {
        count(&RealtimeGuard::Counts::locks);
        return __real_pthread_rwlock_rdlock(l);
    }
    int __wrap_pthread_rwlock_wrlock(pthread_rwlock_t* l)
    {
        count(&RealtimeGuard::Counts::locks);
        return __real_pthread_rwlock_wrlock(l);
    }
    int __wrap_pthread_cond_wait(pthread_cond_t* c, pthread_mutex_t* m)
    {
        count(&RealtimeGuard::Counts::locks);
        return __real_pthread_cond_wait(c, m);
    }
    int __wrap_sem_wait(sem_t* s)
    {
        count(&RealtimeGuard::Counts::locks);
        return __real_sem_wait(s);
    }
    ssize_t __wrap_write(int fd, const void* data, size_t size)
    {
        count(&RealtimeGuard::Counts::io);
        return __real_write(fd, data, size);
    }
    size_t __wrap_fwrite(const void* data, size_t size, size_t n, FILE* f)
    {
        count(&RealtimeGuard::Counts::io);
        return __real_fwrite(data, size, n, f);
    }
    int __wrap_fputs(const char* s, FILE* f)
    {
        count(&RealtimeGuard::Counts::io);
        return __real_fputs(s, f);
    }
    int __wrap_puts(const char* s)
    {
        count(&RealtimeGuard::Counts::io);
        return __real_puts(s);
    }
    int __wrap_vfprintf(FILE* f, const char* format, va_list args)
    {
        count(&RealtimeGuard::Counts::io);
        return __real_vfprintf(f, format, args);
    }
    int __wrap_fprintf(FILE* f, const char* format, ...)
    {
        count(&RealtimeGuard::Counts::io);
        va_list args;
        va_start(args, format);
        const int result = __real_vfprintf(f, format, args);
        va_end(args);
        return result;
    }
    int __wrap_printf(const char* format, ...)
    {
        count(&RealtimeGuard::Counts::io);
        va_list args;
        va_start(args, format);
        const int result = __real_vfprintf(stdout, format, args);
        va_end(args);
        return result;
    }
    int __wrap_fputc(int c, FILE* f)
    {
        count(&RealtimeGuard::Counts::io);
        return __real_fputc(c, f);
    }
    int __wrap_putc(int c, FILE* f)
    {
        count(&RealtimeGuard::Counts::io);
        return __real_putc(c, f);
    }
    FILE* __wrap_fopen(const char* path, const char* mode)
    {
        count(&RealtimeGuard::Counts::io);
        return __real_fopen(path, mode);
    }
}

// operator new and delete in every form go through the wrapped malloc and free.
void* operator new(size_t size)
{
    if (void* p = __wrap_malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size)
{
    return operator new(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    return __wrap_malloc(size == 0 ? 1 : size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
    return __wrap_malloc(size == 0 ? 1 : size);
}
void* operator new(size_t size, std::align_val_t alignment)
{
    void* p = nullptr;
    if (__wrap_posix_memalign(&p, std::max((size_t) alignment, sizeof(void*)), size == 0 ? 1 : size) == 0)
        return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size, std::align_val_t alignment)
{
    return operator new(size, alignment);
}
void operator delete(void* p) noexcept
{
    __wrap_free(p);
}
void operator delete[](void* p) noexcept
{
    __wrap_free(p);
}
void operator delete(void* p, size_t) noexcept
{
    __wrap_free(p);
}
void operator delete[](void* p, size_t) noexcept
{
    __wrap_free(p);
}
void operator delete(void* p, std::align_val_t) noexcept
{
    __wrap_free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept
{
    __wrap_free(p);
}
void operator delete(void* p, size_t, std::align_val_t) noexcept
{
    __wrap_free(p);
}
void operator delete[](void* p, size_t, std::align_val_t) noexcept
{
    __wrap_free(p);
}
