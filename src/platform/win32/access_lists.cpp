#include "platform/win32/access_lists.h"

#include <sddl.h>

#include <stdexcept>

#include "platform/win32/handles.h"
#include "platform/win32/system_error.h"

namespace vantelmoor::win32 {
namespace {

// The rights Users have on the data folder itself: list, add a file, pass through, read its
// attributes and its permissions, and synchronise (without which no handle to it can be opened).
constexpr DWORD kFolderForUsers =
    FILE_LIST_DIRECTORY | FILE_ADD_FILE | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | READ_CONTROL | SYNCHRONIZE;
// Their rights on the files in it: read, write and delete; never change permissions or owner.
constexpr DWORD kFilesForUsers = FILE_GENERIC_READ | FILE_GENERIC_WRITE | DELETE;
constexpr BYTE kFilesOnly = OBJECT_INHERIT_ACE | INHERIT_ONLY_ACE;
constexpr BYTE kEverything = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;

WELL_KNOWN_SID_TYPE sid_type(Trustee trustee) {
    switch (trustee) {
        case Trustee::System: return WinLocalSystemSid;
        case Trustee::Administrators: return WinBuiltinAdministratorsSid;
        case Trustee::Users: return WinBuiltinUsersSid;
        case Trustee::AuthenticatedUsers: return WinAuthenticatedUserSid;
        case Trustee::OwnerRights: return WinCreatorOwnerRightsSid;
    }
    return WinNullSid;
}

[[noreturn]] void cannot_build(const char* step) {
    throw std::runtime_error(std::string("an access list could not be built: ") + step + " (" +
                             system_error_text(GetLastError()) + ")");
}

std::vector<BYTE> sid_of(Trustee trustee) {
    std::vector<BYTE> sid(SECURITY_MAX_SID_SIZE);
    DWORD size = static_cast<DWORD>(sid.size());
    if (!CreateWellKnownSid(sid_type(trustee), nullptr, sid.data(), &size)) cannot_build("naming a group");
    sid.resize(size);
    return sid;
}

}  // namespace

AccessPlan data_folder_access() {
    return {Trustee::Administrators,
            true,
            {{Trustee::System, FILE_ALL_ACCESS, kEverything},
             {Trustee::Administrators, FILE_ALL_ACCESS, kEverything},
             {Trustee::Users, kFolderForUsers, 0},
             {Trustee::Users, kFilesForUsers, kFilesOnly},
             {Trustee::OwnerRights, kFilesForUsers, kFilesOnly}}};
}

AccessPlan data_folder_setup_access() {
    return {Trustee::Administrators,
            true,
            {{Trustee::System, FILE_ALL_ACCESS, kEverything}, {Trustee::Administrators, FILE_ALL_ACCESS, kEverything}}};
}

// Whether it is there is all a copy asks; an open for its attributes alone takes no share of it, so
// no user can hold it against setup's removing it.
AccessPlan installed_marker_access() {
    return {Trustee::Administrators,
            true,
            {{Trustee::System, FILE_ALL_ACCESS, 0},
             {Trustee::Administrators, FILE_ALL_ACCESS, 0},
             {Trustee::Users, FILE_READ_ATTRIBUTES | SYNCHRONIZE, 0}}};
}

AccessPlan settings_key_access() {
    return {Trustee::Administrators,
            true,
            {{Trustee::System, KEY_ALL_ACCESS, CONTAINER_INHERIT_ACE},
             {Trustee::Administrators, KEY_ALL_ACCESS, CONTAINER_INHERIT_ACE},
             {Trustee::Users, KEY_QUERY_VALUE | KEY_SET_VALUE, 0}}};
}

AccessPlan screening_mutex_access() {
    return {std::nullopt,
            true,
            {{Trustee::AuthenticatedUsers, SYNCHRONIZE | MUTEX_MODIFY_STATE, 0},
             {Trustee::System, MUTEX_ALL_ACCESS, 0},
             {Trustee::Administrators, MUTEX_ALL_ACCESS, 0}}};
}

AccessPlan elevated_instance_access() {
    return {
        std::nullopt, true, {{Trustee::System, MUTEX_ALL_ACCESS, 0}, {Trustee::Administrators, MUTEX_ALL_ACCESS, 0}}};
}

SecurityDescriptor::SecurityDescriptor(const AccessPlan& plan) : protected_(plan.protect) {
    std::vector<std::vector<BYTE>> sids;
    DWORD acl_size = sizeof(ACL);
    for (const AccessEntry& entry : plan.entries) {
        sids.push_back(sid_of(entry.trustee));
        acl_size += sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + static_cast<DWORD>(sids.back().size());
    }
    acl_.resize(acl_size);
    auto* acl = reinterpret_cast<ACL*>(acl_.data());
    if (!InitializeAcl(acl, acl_size, ACL_REVISION)) cannot_build("starting the list");
    for (std::size_t i = 0; i < plan.entries.size(); ++i) {
        if (!AddAccessAllowedAceEx(acl, ACL_REVISION, plan.entries[i].inheritance, plan.entries[i].rights,
                                   sids[i].data())) {
            cannot_build("adding an entry");
        }
    }
    if (!InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION))
        cannot_build("starting the descriptor");
    if (!SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE)) cannot_build("giving the list");
    if (plan.protect && !SetSecurityDescriptorControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED)) {
        cannot_build("protecting the list");
    }
    if (plan.owner) {
        owner_ = sid_of(*plan.owner);
        if (!SetSecurityDescriptorOwner(&descriptor_, owner_.data(), FALSE)) cannot_build("naming the owner");
        has_owner_ = true;
    }
    attributes_ = {sizeof(attributes_), &descriptor_, FALSE};
}

SECURITY_INFORMATION SecurityDescriptor::parts() const {
    SECURITY_INFORMATION parts = DACL_SECURITY_INFORMATION;
    if (has_owner_) parts |= OWNER_SECURITY_INFORMATION;
    parts |= protected_ ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION;
    return parts;
}

std::string SecurityDescriptor::sddl() const {
    char* text = nullptr;
    auto* self = const_cast<SECURITY_DESCRIPTOR*>(&descriptor_);
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(
            self, SDDL_REVISION_1, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &text, nullptr)) {
        cannot_build("writing it as text");
    }
    const LocalMemory owned(text);
    return text;
}

bool running_elevated() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
    const KernelHandle token(raw);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof(elevation), &size) &&
           elevation.TokenIsElevated != 0;
}

}  // namespace vantelmoor::win32
