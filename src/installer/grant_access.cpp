// grant-access: the installer's helper that lets the local Users group keep the program's shared
// data, so that every account of the machine keeps one block list, one call log and one set of
// totals and options. It works by the group's well-known SID, whatever the Windows language.
//
//   grant-access folder PATH   modify rights on the folder and everything in it
//   grant-access key PATH      on HKEY_LOCAL_MACHINE\PATH (made when missing): the rights the
//                              program opens its settings with (query, set and create values)
//
// Exit status: 0 granted, 1 refused (the reason on standard error), 2 wrong use.

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <cstdio>
#include <string>

#include "platform/registry.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/system_error.h"

namespace {

using vantelmoor::win32::system_error_text;

int fail(const char* step, const std::string& reason) {
    std::fprintf(stderr, "grant-access: %s failed: %s\n", step, reason.c_str());
    return 1;
}

int fail(const char* step, DWORD error) { return fail(step, std::to_string(error) + " " + system_error_text(error)); }

int usage() {
    std::fprintf(stderr, "usage: grant-access folder PATH | key PATH\n");
    return 2;
}

// Adds an allowing entry for BUILTIN\Users to the object's own list, inherited by what it holds.
int grant(const std::string& name, SE_OBJECT_TYPE type, DWORD rights) {
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD sid_size = sizeof(sid);
    if (!CreateWellKnownSid(WinBuiltinUsersSid, nullptr, sid, &sid_size)) return fail("finding the Users group", GetLastError());
    PACL old_acl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    std::string object = name;
    DWORD error = GetNamedSecurityInfoA(object.data(), type, DACL_SECURITY_INFORMATION, nullptr, nullptr, &old_acl,
                                        nullptr, &descriptor);
    if (error != ERROR_SUCCESS) return fail("reading the permissions", error);
    EXPLICIT_ACCESSA access{};
    access.grfAccessPermissions = rights;
    access.grfAccessMode = GRANT_ACCESS;
    access.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_GROUP;
    access.Trustee.ptstrName = reinterpret_cast<char*>(sid);
    PACL new_acl = nullptr;
    error = SetEntriesInAclA(1, &access, old_acl, &new_acl);
    if (error == ERROR_SUCCESS) {
        error = SetNamedSecurityInfoA(object.data(), type, DACL_SECURITY_INFORMATION, nullptr, nullptr, new_acl, nullptr);
    }
    if (new_acl) LocalFree(new_acl);
    LocalFree(descriptor);
    return error == ERROR_SUCCESS ? 0 : fail("writing the permissions", error);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return usage();
    const std::string what = argv[1];
    const std::string path = argv[2];
    if (what == "folder") {
        if (const auto failure = vantelmoor::win32::Win32FileSystem().create_directory(path)) {
            return fail("making the folder", *failure);
        }
        return grant(path, SE_FILE_OBJECT, FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE);
    }
    if (what == "key") {
        HKEY key = nullptr;
        const LONG made = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (made != ERROR_SUCCESS) return fail("making the key", static_cast<DWORD>(made));
        RegCloseKey(key);
        return grant("MACHINE\\" + path, SE_REGISTRY_KEY, vantelmoor::kSettingsAccess | READ_CONTROL);
    }
    return usage();
}
