# tarvolt_use_realtime_guard(<target>): links the allocation/lock/I-O counters into a test binary.
function(tarvolt_use_realtime_guard target)
    target_sources(${target} PRIVATE "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/RealtimeGuard.cpp")
    set(wrapped malloc calloc realloc free posix_memalign aligned_alloc
        pthread_mutex_lock pthread_mutex_trylock pthread_rwlock_rdlock pthread_rwlock_wrlock
        pthread_cond_wait sem_wait write fwrite fputs puts vfprintf fprintf printf fputc putc fopen)
    foreach(symbol IN LISTS wrapped)
        target_link_options(${target} PRIVATE "LINKER:--wrap=${symbol}")
    endforeach()
endfunction()
