#pragma once
// Export macro of ORX2_QtBridge. Everything is hidden unless marked.
#if defined(_WIN32)
#if defined(ORX2_QTBRIDGE_BUILDING)
#define ORX2_QTBRIDGE_EXPORT __declspec(dllexport)
#else
#define ORX2_QTBRIDGE_EXPORT __declspec(dllimport)
#endif
#else
#define ORX2_QTBRIDGE_EXPORT __attribute__((visibility("default")))
#endif
