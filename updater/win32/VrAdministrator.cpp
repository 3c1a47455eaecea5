#include "updater/win32/VrAdministrator.h"

#include <windows.h>

#include <vector>

namespace {

// The access the descriptor allows the group and the access asked for; the
// generic rights map onto the same two bits.
const DWORD kAllowedAccess = 3;
const DWORD kAskedAccess = 1;

// The check needs a token that can impersonate: the thread's own when it
// impersonates someone, else the process's.
HANDLE OpenImpersonationToken() {
    HANDLE token = nullptr;
    if (!::OpenThreadToken(::GetCurrentThread(), TOKEN_DUPLICATE | TOKEN_QUERY, TRUE, &token)) {
        if (::GetLastError() != ERROR_NO_TOKEN) return nullptr;
        if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY, &token))
            return nullptr;
    }
    HANDLE duplicate = nullptr;
    if (!::DuplicateToken(token, SecurityImpersonation, &duplicate)) duplicate = nullptr;
    ::CloseHandle(token);
    return duplicate;
}

bool AdministratorsGranted(HANDLE token, PSID administrators) {
    DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + ::GetLengthSid(administrators) -
                    sizeof(DWORD);
    std::vector<DWORD> aclStorage((aclSize + sizeof(DWORD) - 1) / sizeof(DWORD));
    ACL* acl = reinterpret_cast<ACL*>(aclStorage.data());
    SECURITY_DESCRIPTOR descriptor;
    if (!::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !::InitializeAcl(acl, aclSize, ACL_REVISION2) ||
        !::AddAccessAllowedAce(acl, ACL_REVISION2, kAllowedAccess, administrators) ||
        !::SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) ||
        !::SetSecurityDescriptorGroup(&descriptor, administrators, FALSE) ||
        !::SetSecurityDescriptorOwner(&descriptor, administrators, FALSE) ||
        !::IsValidSecurityDescriptor(&descriptor))
        return false;

    GENERIC_MAPPING mapping = {1, 2, 0, 3};
    PRIVILEGE_SET privileges;
    DWORD privilegesSize = sizeof(privileges);
    DWORD granted = 0;
    BOOL status = FALSE;
    if (!::AccessCheck(&descriptor, token, kAskedAccess, &mapping, &privileges, &privilegesSize,
                       &granted, &status))
        return false;
    return status != FALSE;
}

}  // namespace

bool VrIsAdministrator() {
    HANDLE token = OpenImpersonationToken();
    if (!token) return false;
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    bool granted = false;
    if (::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                   DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
        granted = AdministratorsGranted(token, administrators);
        ::FreeSid(administrators);
    }
    ::CloseHandle(token);
    return granted;
}
