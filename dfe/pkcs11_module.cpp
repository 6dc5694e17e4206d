#include "dfe/pkcs11_module.h"

#include <dlfcn.h>
#include <p11-kit/pkcs11.h>

#include <algorithm>
#include <cstdio>

#include "dfe/error.h"

namespace dfe {
namespace {

constexpr const char* kLockedMessage =
    "O token está bloqueado: o PIN foi errado vezes demais. Desbloqueie-o com o PUK, no programa "
    "do fabricante do token.";

// A PKCS#11 text field: fixed width, padded with blanks.
std::string Field(const unsigned char* field, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(field), size);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string Hex(unsigned long value) {
    char text[20];
    std::snprintf(text, sizeof text, "0x%lX", value);
    return text;
}

bool TokenGone(CK_RV result) {
    return result == CKR_TOKEN_NOT_PRESENT || result == CKR_DEVICE_REMOVED ||
           result == CKR_SESSION_HANDLE_INVALID || result == CKR_SLOT_ID_INVALID;
}

[[noreturn]] void Fail(CK_RV result, const std::string& step) {
    if (TokenGone(result)) {
        throw CertificateError("O token foi retirado do leitor (" + step + ").");
    }
    throw CertificateError("O módulo PKCS#11 falhou ao " + step + " (código " + Hex(result) + ").");
}

// An attribute's value, empty when the object has none.
std::string Attribute(CK_FUNCTION_LIST* functions, CK_SESSION_HANDLE session,
                      CK_OBJECT_HANDLE object, CK_ATTRIBUTE_TYPE type) {
    CK_ATTRIBUTE attribute{type, nullptr, 0};
    if (functions->C_GetAttributeValue(session, object, &attribute, 1) != CKR_OK ||
        attribute.ulValueLen == CK_UNAVAILABLE_INFORMATION) {
        return {};
    }
    std::string value(attribute.ulValueLen, '\0');
    attribute.pValue = value.data();
    if (functions->C_GetAttributeValue(session, object, &attribute, 1) != CKR_OK) {
        return {};
    }
    value.resize(attribute.ulValueLen);
    return value;
}

// The objects of the session that match the template.
std::vector<CK_OBJECT_HANDLE> Find(CK_FUNCTION_LIST* functions, CK_SESSION_HANDLE session,
                                   std::vector<CK_ATTRIBUTE> pattern) {
    CK_RV result = functions->C_FindObjectsInit(session, pattern.data(), pattern.size());
    if (result != CKR_OK) {
        Fail(result, "procurar os objetos do token");
    }
    std::vector<CK_OBJECT_HANDLE> found;
    CK_OBJECT_HANDLE batch[32];
    CK_ULONG count = 0;
    while ((result = functions->C_FindObjects(session, batch, 32, &count)) == CKR_OK && count > 0) {
        found.insert(found.end(), batch, batch + count);
    }
    functions->C_FindObjectsFinal(session);
    if (result != CKR_OK) {
        Fail(result, "procurar os objetos do token");
    }
    return found;
}

class Session {
public:
    Session(CK_FUNCTION_LIST* functions, CK_SLOT_ID slot) : functions_(functions) {
        const CK_RV result =
            functions->C_OpenSession(slot, CKF_SERIAL_SESSION, nullptr, nullptr, &handle_);
        if (result != CKR_OK) {
            Fail(result, "abrir uma sessão com o token");
        }
    }
    ~Session() { functions_->C_CloseSession(handle_); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    CK_SESSION_HANDLE handle() const { return handle_; }

private:
    CK_FUNCTION_LIST* functions_;
    CK_SESSION_HANDLE handle_ = 0;
};

}  // namespace

struct Pkcs11Module::Impl {
    std::string name;
    void* library = nullptr;
    CK_FUNCTION_LIST* functions = nullptr;
    // A module that another part of the program (OpenSSL's engine) has started already is
    // left started.
    bool startedHere = false;

    struct Token {
        CK_SLOT_ID slot;
        CK_TOKEN_INFO info;
    };
    std::vector<Token> Tokens();
    CK_TOKEN_INFO InfoOf(CK_SLOT_ID slot);
};

std::vector<Pkcs11Module::Impl::Token> Pkcs11Module::Impl::Tokens() {
    CK_ULONG count = 0;
    CK_RV result = functions->C_GetSlotList(CK_TRUE, nullptr, &count);
    std::vector<CK_SLOT_ID> slots(count);
    if (result == CKR_OK && count > 0) {
        result = functions->C_GetSlotList(CK_TRUE, slots.data(), &count);
        slots.resize(count);
    }
    if (result != CKR_OK) {
        Fail(result, "listar os leitores");
    }
    std::vector<Token> tokens;
    for (const CK_SLOT_ID slot : slots) {
        CK_TOKEN_INFO info{};
        // A token taken out between the two calls is simply not there; a blank one (never
        // initialised, as readers' spare slots show) holds nothing.
        if (functions->C_GetTokenInfo(slot, &info) == CKR_OK &&
            (info.flags & CKF_TOKEN_INITIALIZED) != 0) {
            tokens.push_back({slot, info});
        }
    }
    return tokens;
}

CK_TOKEN_INFO Pkcs11Module::Impl::InfoOf(CK_SLOT_ID slot) {
    CK_TOKEN_INFO info{};
    const CK_RV result = functions->C_GetTokenInfo(slot, &info);
    if (result != CKR_OK) {
        Fail(result, "ler o estado do token");
    }
    return info;
}

Pkcs11Module::Pkcs11Module(const std::filesystem::path& module) : impl_(std::make_unique<Impl>()) {
    impl_->name = module.string();
    impl_->library = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (impl_->library == nullptr) {
        const char* why = dlerror();
        throw CertificateError("O módulo PKCS#11 \"" + impl_->name + "\" não pôde ser carregado" +
                               (why != nullptr ? std::string(" (") + why + ")." : "."));
    }
    auto getFunctionList =
        reinterpret_cast<CK_C_GetFunctionList>(dlsym(impl_->library, "C_GetFunctionList"));
    if (getFunctionList == nullptr || getFunctionList(&impl_->functions) != CKR_OK ||
        impl_->functions == nullptr) {
        dlclose(impl_->library);
        throw CertificateError("\"" + impl_->name + "\" não é um módulo PKCS#11.");
    }
    CK_C_INITIALIZE_ARGS arguments{};
    arguments.flags = CKF_OS_LOCKING_OK;
    const CK_RV result = impl_->functions->C_Initialize(&arguments);
    if (result != CKR_OK && result != CKR_CRYPTOKI_ALREADY_INITIALIZED) {
        dlclose(impl_->library);
        throw CertificateError("O módulo PKCS#11 \"" + impl_->name +
                               "\" não pôde ser iniciado (código " + Hex(result) + ").");
    }
    impl_->startedHere = result == CKR_OK;
}

Pkcs11Module::~Pkcs11Module() {
    if (impl_->startedHere) {
        impl_->functions->C_Finalize(nullptr);
    }
    dlclose(impl_->library);
}

std::size_t Pkcs11Module::TokenCount() {
    return impl_->Tokens().size();
}

std::vector<TokenCertificate> Pkcs11Module::Certificates() {
    CK_FUNCTION_LIST* functions = impl_->functions;
    std::vector<TokenCertificate> certificates;
    for (const Impl::Token& token : impl_->Tokens()) {
        const Session session(functions, token.slot);
        CK_OBJECT_CLASS kind = CKO_CERTIFICATE;
        CK_CERTIFICATE_TYPE type = CKC_X_509;
        for (const CK_OBJECT_HANDLE object :
             Find(functions, session.handle(),
                  {{CKA_CLASS, &kind, sizeof kind}, {CKA_CERTIFICATE_TYPE, &type, sizeof type}})) {
            TokenCertificate certificate;
            certificate.tokenLabel = Field(token.info.label, sizeof token.info.label);
            certificate.manufacturer =
                Field(token.info.manufacturerID, sizeof token.info.manufacturerID);
            certificate.model = Field(token.info.model, sizeof token.info.model);
            certificate.serial = Field(token.info.serialNumber, sizeof token.info.serialNumber);
            certificate.object = Attribute(functions, session.handle(), object, CKA_LABEL);
            certificate.id = Attribute(functions, session.handle(), object, CKA_ID);
            certificate.der = Attribute(functions, session.handle(), object, CKA_VALUE);
            if (!certificate.der.empty()) {
                certificates.push_back(std::move(certificate));
            }
        }
    }
    return certificates;
}

void Pkcs11Module::CheckPin(const TokenCertificate& certificate, const Secret& pin) {
    CK_FUNCTION_LIST* functions = impl_->functions;
    const std::vector<Impl::Token> tokens = impl_->Tokens();
    const auto token = std::find_if(tokens.begin(), tokens.end(), [&](const Impl::Token& t) {
        return Field(t.info.label, sizeof t.info.label) == certificate.tokenLabel &&
               Field(t.info.serialNumber, sizeof t.info.serialNumber) == certificate.serial;
    });
    if (token == tokens.end()) {
        throw CertificateError("O token \"" + certificate.tokenLabel +
                               "\" foi retirado do leitor.");
    }
    if ((token->info.flags & CKF_USER_PIN_LOCKED) != 0) {
        throw CertificateError(kLockedMessage);
    }

    const Session session(functions, token->slot);
    auto* pinBytes = reinterpret_cast<CK_UTF8CHAR*>(const_cast<char*>(pin.view().data()));
    CK_RV result = functions->C_Login(session.handle(), CKU_USER, pinBytes, pin.size());
    // An earlier login of this program (OpenSSL's engine keeps one, and the token's login is
    // the whole program's) would let any PIN through: the PIN is tried afresh, and the login
    // is left as it was found, since the engine goes on using it.
    const bool loggedInBefore = result == CKR_USER_ALREADY_LOGGED_IN;
    if (loggedInBefore) {
        functions->C_Logout(session.handle());
        result = functions->C_Login(session.handle(), CKU_USER, pinBytes, pin.size());
    }
    if (result == CKR_PIN_INCORRECT || result == CKR_PIN_LEN_RANGE) {
        throw WrongPasswordError(WrongPinMessage(impl_->InfoOf(token->slot).flags));
    }
    if (result == CKR_PIN_LOCKED) {
        throw CertificateError(kLockedMessage);
    }
    if (result != CKR_OK) {
        Fail(result, "entrar no token com o PIN");
    }

    CK_OBJECT_CLASS kind = CKO_PRIVATE_KEY;
    std::vector<CK_ATTRIBUTE> pattern{{CKA_CLASS, &kind, sizeof kind}};
    std::string label = certificate.object;
    std::string id = certificate.id;
    if (!id.empty()) {
        pattern.push_back({CKA_ID, id.data(), id.size()});
    } else {
        pattern.push_back({CKA_LABEL, label.data(), label.size()});
    }
    const bool hasKey = !Find(functions, session.handle(), pattern).empty();
    if (!loggedInBefore) {
        functions->C_Logout(session.handle());
    }
    if (!hasKey) {
        throw CertificateError("O token \"" + certificate.tokenLabel +
                               "\" não guarda a chave privada do certificado \"" +
                               certificate.object + "\".");
    }
}

Pkcs11Uri TokenCertificate::Uri() const {
    Pkcs11Uri uri;
    uri.token = tokenLabel;
    uri.serial = serial;
    if (!id.empty()) {
        uri.id = id;
    } else {
        uri.object = object;
    }
    return uri;
}

std::string WrongPinMessage(unsigned long tokenFlags) {
    if ((tokenFlags & CKF_USER_PIN_LOCKED) != 0) {
        return std::string("O PIN do token está incorreto. ") + kLockedMessage;
    }
    if ((tokenFlags & CKF_USER_PIN_FINAL_TRY) != 0) {
        return "O PIN do token está incorreto. Resta uma única tentativa: mais um erro bloqueia "
               "o token.";
    }
    if ((tokenFlags & CKF_USER_PIN_COUNT_LOW) != 0) {
        return "O PIN do token está incorreto. Restam poucas tentativas antes que o token se "
               "bloqueie.";
    }
    return "O PIN do token está incorreto.";
}

}  // namespace dfe
