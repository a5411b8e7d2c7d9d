// Symbol visibility of the host's service library. The host library exports these symbols;
// add-on modules import them, as they import the real host's libraries.
#pragma once

#if defined(_WIN32)
#if defined(ACAPI_BUILDING_HOST)
#define ACAPI_HOST_API __declspec(dllexport)
#else
#define ACAPI_HOST_API __declspec(dllimport)
#endif
#define ACAPI_MODULE_EXPORT __declspec(dllexport)
#else
#define ACAPI_HOST_API __attribute__((visibility("default")))
#define ACAPI_MODULE_EXPORT __attribute__((visibility("default")))
#endif
