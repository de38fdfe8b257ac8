#include "framework/win32/AdminSystemInfo.h"

namespace sektra {

bool AdminSystemInfo::IsAdministrator() {
    // AccessCheck wants an impersonation token, so take the process's context on this thread.
    const bool impersonating = ImpersonateSelf(SecurityImpersonation) != FALSE;
    HANDLE token = nullptr;
    PSID administrators = nullptr;
    PACL acl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    bool member = false;

    bool ok = OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token) != FALSE;
    if (!ok && GetLastError() == ERROR_NO_TOKEN) ok = OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);

    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    if (ok) {
        ok = AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0,
                                      0, 0, 0, &administrators) != FALSE;
    }
    // A private descriptor whose one ACE grants the access mask 3 to Administrators only.
    const DWORD readAccess = 1, writeAccess = 2;
    if (ok) {
        descriptor = LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH);
        ok = descriptor != nullptr && InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION);
    }
    if (ok) {
        const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(administrators) - sizeof(DWORD);
        acl = static_cast<PACL>(LocalAlloc(LPTR, aclSize));
        ok = acl != nullptr && InitializeAcl(acl, aclSize, ACL_REVISION2) &&
             AddAccessAllowedAce(acl, ACL_REVISION2, readAccess | writeAccess, administrators) &&
             SetSecurityDescriptorDacl(descriptor, TRUE, acl, FALSE) &&
             SetSecurityDescriptorGroup(descriptor, administrators, FALSE) &&
             SetSecurityDescriptorOwner(descriptor, administrators, FALSE) && IsValidSecurityDescriptor(descriptor);
    }
    if (ok) {
        GENERIC_MAPPING mapping{readAccess, writeAccess, 0, readAccess | writeAccess};
        PRIVILEGE_SET privileges{};
        DWORD privilegesSize = sizeof privileges;
        DWORD granted = 0;
        BOOL status = FALSE;
        if (AccessCheck(descriptor, token, readAccess, &mapping, &privileges, &privilegesSize, &granted, &status)) {
            member = status != FALSE;
        }
    }

    if (impersonating) RevertToSelf();
    if (acl) LocalFree(acl);
    if (descriptor) LocalFree(descriptor);
    if (administrators) FreeSid(administrators);
    if (token) CloseHandle(token);
    return member;
}

}  // namespace sektra
