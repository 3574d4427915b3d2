#pragma once
// Export macro of ORX2_Host, the stand-ins for the host's foundation, logging and acquisition base
// libraries. Everything is hidden unless marked.
#if defined(_WIN32)
#if defined(ORX2_HOST_BUILDING)
#define ORX2_HOST_EXPORT __declspec(dllexport)
#else
#define ORX2_HOST_EXPORT __declspec(dllimport)
#endif
#else
#define ORX2_HOST_EXPORT __attribute__((visibility("default")))
#endif
