#include "files/system_error_text.h"

#include <cerrno>
#include <filesystem>

namespace files {
namespace {

struct Reason {
    int errorNumber;
    const char* text;
};

constexpr Reason kReasons[] = {
    {ENOENT, "arquivo ou pasta inexistente"},
    {EACCES, "permissão negada"},
    {EPERM, "operação não permitida"},
    {ENOSPC, "não há espaço livre no disco"},
    {EDQUOT, "a cota de disco foi excedida"},
    {EISDIR, "é uma pasta, não um arquivo"},
    {ENOTDIR, "uma parte do caminho não é uma pasta"},
    {EROFS, "o sistema de arquivos é somente leitura"},
    {EEXIST, "já existe"},
    {ENOTEMPTY, "a pasta não está vazia"},
    {ENAMETOOLONG, "o nome é longo demais"},
    {EIO, "erro de leitura ou gravação no dispositivo"},
    {EMFILE, "arquivos abertos demais"},
    {ENOMEM, "memória insuficiente"},
    {ENOLCK, "o sistema de arquivos não oferece travas"},
    {ENOSYS, "operação não disponível neste sistema"},
    {EOPNOTSUPP, "operação não suportada por este sistema de arquivos"},
    {EXDEV, "os dois caminhos estão em sistemas de arquivos diferentes"},
    {ETIMEDOUT, "o tempo de espera terminou"},
};

}  // namespace

std::string SystemErrorText(int errorNumber) {
    for (const Reason& reason : kReasons) {
        if (reason.errorNumber == errorNumber) {
            return reason.text;
        }
    }
    return "erro do sistema nº " + std::to_string(errorNumber);
}

std::string SystemErrorText(const std::error_code& error) {
    if (error.category() == std::generic_category() || error.category() == std::system_category()) {
        return SystemErrorText(error.value());
    }
    return error.message();
}

std::string ExceptionText(const std::exception& error) {
    if (const auto* fileSystem = dynamic_cast<const std::filesystem::filesystem_error*>(&error)) {
        std::string text = SystemErrorText(fileSystem->code());
        if (!fileSystem->path1().empty()) {
            text += " (\"" + fileSystem->path1().string() + "\")";
        }
        return text;
    }
    if (const auto* system = dynamic_cast<const std::system_error*>(&error)) {
        return SystemErrorText(system->code());
    }
    return error.what();
}

}  // namespace files
