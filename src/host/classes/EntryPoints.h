#pragma once

// The in-process server's entry points, with the component model's return codes.
extern "C" {
// Creates the class named by progId; *object receives a host::HostClass* that the caller frees with
// DllReleaseObject. 0 on success, CLASS_E_CLASSNOTAVAILABLE (0x80040111) for an unknown name.
int DllGetClassObject(const char *progId, void **object);
void DllReleaseObject(void *object);
// 0 (S_OK) when no object of the library is alive, 1 (S_FALSE) otherwise.
int DllCanUnloadNow(void);
// Records (removes) the six classes in the registry file beside the user's settings; 0 on success.
int DllRegisterServer(void);
int DllUnregisterServer(void);
}
