#pragma once
// Every access list the program and its setup give an object, in one place. What a standard user
// can write is untrusted, above all to the elevated setup, so each object gets a whole descriptor
// of its own, never one merged into what it had:
//
// - the shared data folder: owned by Administrators, protected; SYSTEM and Administrators have
//   full control; Users may list it, add files, pass through and read its attributes and
//   permissions (on the folder alone: never delete, rename or re-permission it, nor add a
//   subfolder); on the files in it Users (and whoever made a file, through OWNER RIGHTS, so that
//   making a file gives no right to change its permissions) may read, write and delete;
//   until setup has made the run marker in it, the folder is SYSTEM's and Administrators' alone, so
//   that no user can empty it and put a junction in its place (a right to add files is enough for
//   that on an empty folder);
// - an installed copy's run marker: SYSTEM and Administrators full control, Users its attributes;
// - the settings key: SYSTEM and Administrators full control, Users only query and set values,
//   on the key alone;
// - the machine's screening mutex: authenticated users may wait on it and release it, only SYSTEM
//   and Administrators do more;
// - an elevated copy's per-session mutex: Administrators and SYSTEM only, so a later copy that
//   cannot open it knows one runs.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace vantelmoor::win32 {

enum class Trustee { System, Administrators, Users, AuthenticatedUsers, OwnerRights };

struct AccessEntry {
    Trustee trustee;
    DWORD rights;
    BYTE inheritance;  // OBJECT_INHERIT_ACE, CONTAINER_INHERIT_ACE, INHERIT_ONLY_ACE
};

struct AccessPlan {
    std::optional<Trustee> owner;  // none: the creator's, as the system gives it
    bool protect;                  // nothing inherited from the parent
    std::vector<AccessEntry> entries;
};

AccessPlan data_folder_access();
AccessPlan data_folder_setup_access();
AccessPlan installed_marker_access();
AccessPlan settings_key_access();
AccessPlan screening_mutex_access();
AccessPlan elevated_instance_access();

// A security descriptor built from a plan, holding its own memory.
class SecurityDescriptor {
public:
    // Throws std::runtime_error with the system's reason when it cannot be built.
    explicit SecurityDescriptor(const AccessPlan& plan);
    SecurityDescriptor(const SecurityDescriptor&) = delete;
    SecurityDescriptor& operator=(const SecurityDescriptor&) = delete;

    [[nodiscard]] PSECURITY_DESCRIPTOR get() { return &descriptor_; }
    // For CreateFile, CreateDirectory and CreateMutexEx.
    [[nodiscard]] SECURITY_ATTRIBUTES* attributes() { return &attributes_; }
    // Which parts of the descriptor an object is given: the owner, when the plan names one, and
    // the access list, protected when the plan says so.
    [[nodiscard]] SECURITY_INFORMATION parts() const;
    // As SDDL text: the owner and the access list.
    [[nodiscard]] std::string sddl() const;

private:
    std::vector<BYTE> owner_;
    std::vector<BYTE> acl_;
    SECURITY_DESCRIPTOR descriptor_{};
    SECURITY_ATTRIBUTES attributes_{};
    bool has_owner_ = false;
    bool protected_ = false;
};

// True when the process runs with an administrator's full token (elevated, or UAC off).
bool running_elevated();

}  // namespace vantelmoor::win32
