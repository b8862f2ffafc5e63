#pragma once

// The host API version a plugin is built against; the host reads it from the export record.
#define BAKKESMOD_PLUGIN_API_VERSION 95

#if defined(_WIN32)
#define BAKKESMOD_PLUGIN_EXPORT __declspec(dllexport)
// A plugin imports the wrappers from the host's library; our simulated host builds that library.
#if defined(RAFTA_HOST_BUILD)
#define BAKKESMOD_PLUGIN_IMPORT __declspec(dllexport)
#else
#define BAKKESMOD_PLUGIN_IMPORT __declspec(dllimport)
#endif
#else
#define BAKKESMOD_PLUGIN_EXPORT __attribute__((visibility("default")))
#define BAKKESMOD_PLUGIN_IMPORT __attribute__((visibility("default")))
#endif

// Where a console command may run. Only the value that allows it everywhere is declared here.
enum NOTIFIER_PERMISSION { PERMISSION_ALL = 0 };
