#pragma once
// Export macro of the framework's compiled parts (built into ORX2_Common). Everything is hidden unless
// marked.
#if defined(_WIN32)
#if defined(ORX2_COMMON_BUILDING)
#define ORX2_BASEPOOL_EXPORT __declspec(dllexport)
#else
#define ORX2_BASEPOOL_EXPORT __declspec(dllimport)
#endif
#else
#define ORX2_BASEPOOL_EXPORT __attribute__((visibility("default")))
#endif
