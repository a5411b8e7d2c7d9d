#include "platform/win32/bind_status.h"

#include <schannel.h>
#include <wininet.h>

#include "platform/win32/com_pointer.h"

namespace platform {

namespace {

// A moved file is a hop or two away; a server that sends the download round in a circle would
// otherwise hold it for ever. Each hop is a request of its own (the service does not always
// report the redirection itself).
constexpr int kMaxRequests = 6;

// What the URL service tells of a secure connection (wininet's INTERNET_SECURITY_CONNECTION_INFO,
// which the compiler's headers lack; the layout is the system's).
constexpr DWORD kSecurityConnectionInfoOption = 66;
struct SecurityConnectionInfo {
    DWORD size;
    BOOL secure;
    SecPkgContext_ConnectionInfo connection;
    SecPkgContext_CipherInfo cipher;
};
constexpr DWORD kTls12OrLater = SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT;

}  // namespace

BindStatus::BindStatus(DownloadObserver& observer, std::int64_t maxBytes, bool secure)
    : observer_(observer), maxBytes_(maxBytes), secure_(secure), lastHeardOf_(GetTickCount64()) {}

BindStatus::~BindStatus() {
    if (IBinding* binding = TakeBinding()) {
        binding->Release();
    }
}

HRESULT STDMETHODCALLTYPE BindStatus::QueryInterface(REFIID id, void** object) {
    *object = nullptr;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IBindStatusCallback)) {
        *object = static_cast<IBindStatusCallback*>(this);
    } else if (IsEqualIID(id, IID_IHttpSecurity) || IsEqualIID(id, IID_IWindowForBindingUI)) {
        *object = static_cast<IHttpSecurity*>(this);
    } else if (IsEqualIID(id, IID_IServiceProvider)) {
        *object = static_cast<IServiceProvider*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BindStatus::QueryService(REFGUID service, REFIID id, void** object) {
    if (IsEqualGUID(service, IID_IHttpSecurity) || IsEqualGUID(service, IID_IWindowForBindingUI)) {
        return QueryInterface(id, object);
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// Without a window the service can only fail where it would have asked.
HRESULT STDMETHODCALLTYPE BindStatus::GetWindow(REFGUID, HWND* window) {
    *window = nullptr;
    return E_FAIL;
}

HRESULT STDMETHODCALLTYPE BindStatus::OnSecurityProblem(DWORD) {
    Heard();
    return Decide(Ending::kFailed);
}

ULONG STDMETHODCALLTYPE BindStatus::AddRef() {
    return ++references_;
}

ULONG STDMETHODCALLTYPE BindStatus::Release() {
    return --references_;
}

// The binding answers the HTTP status when the transfer ends, and is how the transfer is ended
// from outside.
HRESULT STDMETHODCALLTYPE BindStatus::OnStartBinding(DWORD, IBinding* binding) {
    if (binding != nullptr) {
        binding->AddRef();
    }
    IBinding* previous = nullptr;
    {
        const std::lock_guard lock(mutex_);
        previous = binding_;
        binding_ = binding;
    }
    if (previous != nullptr) {
        previous->Release();
    }
    Heard();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BindStatus::GetPriority(LONG*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BindStatus::OnLowResource(DWORD) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BindStatus::OnProgress(ULONG received, ULONG total, ULONG status,
                                                 LPCWSTR) {
    Heard();
    if (decided_ != Ending::kNone) {
        return E_ABORT;
    }
    total_ = total;
    if (observer_.StopRequested()) {
        return Decide(Ending::kCancelled);
    }
    if (received > maxBytes_ || total > maxBytes_) {
        return Decide(Ending::kFailed);
    }
    if (status == BINDSTATUS_MIMETYPEAVAILABLE || status == BINDSTATUS_BEGINDOWNLOADDATA ||
        status == BINDSTATUS_DOWNLOADINGDATA || status == BINDSTATUS_ENDDOWNLOADDATA) {
        if (ChannelTooWeak()) {
            return Decide(Ending::kFailed);
        }
    }
    bool cancel = false;
    switch (status) {
        case BINDSTATUS_SENDINGREQUEST:
            return ++requests_ > kMaxRequests ? Decide(Ending::kFailed) : S_OK;
        case BINDSTATUS_BEGINDOWNLOADDATA:
            cancel = observer_.Report(DownloadProgress::kBegins, received, total);
            break;
        case BINDSTATUS_DOWNLOADINGDATA:
            cancel = observer_.Report(DownloadProgress::kArriving, received, total);
            break;
        case BINDSTATUS_ENDDOWNLOADDATA:
            QueryStatus();
            cancel = observer_.Report(DownloadProgress::kEndOfData, received, total);
            break;
        default:
            return S_OK;
    }
    return cancel ? Decide(Ending::kCancelled) : S_OK;
}

HRESULT BindStatus::Decide(Ending why) {
    decided_ = why;
    return E_ABORT;
}

HRESULT STDMETHODCALLTYPE BindStatus::OnStopBinding(HRESULT, LPCWSTR) {
    QueryStatus();
    return S_OK;
}

// The binding fails rather than shows anything (an error page, a password prompt).
HRESULT STDMETHODCALLTYPE BindStatus::GetBindInfo(DWORD* flags, BINDINFO*) {
    *flags |= BINDF_NO_UI | BINDF_SILENTOPERATION;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BindStatus::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BindStatus::OnObjectAvailable(REFIID, IUnknown*) {
    return S_OK;
}

bool BindStatus::Abort(Ending why) {
    ComPointer<IBinding> binding;
    {
        const std::lock_guard lock(mutex_);
        if (binding_ == nullptr) {
            return false;
        }
        binding.pointer = binding_;
        binding.pointer->AddRef();
        aborted_ = why;
    }
    // Outside the lock: the service may call back into this object while it aborts.
    binding.pointer->Abort();
    return true;
}

BindStatus::Ending BindStatus::Ended() const {
    if (decided_ != Ending::kNone) {
        return decided_;
    }
    const std::lock_guard lock(mutex_);
    return aborted_;
}

ULONGLONG BindStatus::LastHeardOf() const {
    const std::lock_guard lock(mutex_);
    return lastHeardOf_;
}

void BindStatus::Heard() {
    const std::lock_guard lock(mutex_);
    lastHeardOf_ = GetTickCount64();
}

IBinding* BindStatus::TakeBinding() {
    const std::lock_guard lock(mutex_);
    IBinding* binding = binding_;
    binding_ = nullptr;
    return binding;
}

// One of the interfaces of the binding still held, asked for outside the lock, as the service may
// call back into this object meanwhile.
bool BindStatus::QueryBinding(REFIID id, void** answer) {
    ComPointer<IBinding> binding;
    {
        const std::lock_guard lock(mutex_);
        if (binding_ == nullptr) {
            return false;
        }
        binding.pointer = binding_;
        binding.pointer->AddRef();
    }
    return SUCCEEDED(binding.pointer->QueryInterface(id, answer)) && *answer != nullptr;
}

void BindStatus::QueryStatus() {
    if (httpStatus_ != 0) {
        return;
    }
    ComPointer<IWinInetHttpInfo> info;
    if (!QueryBinding(IID_IWinInetHttpInfo, reinterpret_cast<void**>(&info.pointer))) {
        return;
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (info.pointer->QueryInfo(HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                                nullptr, nullptr) == S_OK) {
        httpStatus_ = status;
    }
}

// Once, as the answer comes in and before its body is taken: an https connection below TLS 1.2
// ends the transfer. The system's URL service says which protocol it agreed on; Wine's does not
// know the question (it answers S_FALSE) and leaves the protocol to its TLS library, so there the
// transfer goes on.
bool BindStatus::ChannelTooWeak() {
    if (!secure_ || channelChecked_) {
        return false;
    }
    channelChecked_ = true;
    ComPointer<IWinInetInfo> info;
    if (!QueryBinding(IID_IWinInetInfo, reinterpret_cast<void**>(&info.pointer))) {
        return false;
    }
    SecurityConnectionInfo connection{};
    connection.size = sizeof connection;
    DWORD size = sizeof connection;
    if (info.pointer->QueryOption(kSecurityConnectionInfoOption, &connection, &size) != S_OK) {
        return false;
    }
    return !connection.secure || (connection.connection.dwProtocol & kTls12OrLater) == 0;
}

}  // namespace platform
