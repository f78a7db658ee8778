// Whether the tests run under AddressSanitizer, whose allocator neither
// throws std::bad_alloc when memory runs out (it aborts) nor gives freed
// memory back when glibc's is asked to.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define KOVA_HAS_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KOVA_HAS_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef KOVA_HAS_ADDRESS_SANITIZER
#define KOVA_HAS_ADDRESS_SANITIZER 0
#endif
