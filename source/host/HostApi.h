#pragma once

// Marks what the host library exports to plugins: the host defines RAFTA_HOST_BUILD while it
// builds itself, a plugin does not.
#if defined(_WIN32)
#if defined(RAFTA_HOST_BUILD)
#define HOST_API __declspec(dllexport)
#else
#define HOST_API __declspec(dllimport)
#endif
#else
#define HOST_API __attribute__((visibility("default")))
#endif
