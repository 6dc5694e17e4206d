#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "dfe/certificate.h"
#include "dfe/service_route.h"
#include "tools/dfe/dfe_arguments.h"
#include "tools/dfe/dfe_command.h"
#include "tools/dfe/document_keeper.h"
#include "tools/dfe/key_list.h"

namespace tools {

// A failure that ends the command before anything was asked, with its exit status.
class CommandFailure : public std::runtime_error {
public:
    CommandFailure(int status, const std::string& message)
        : std::runtime_error(message), status_(status) {}
    int status() const { return status_; }

private:
    int status_;
};

// The keys of the command line and of --chaves, each once; every invalid one is reported on
// context.err with the key-check message. Throws CommandFailure when the key file cannot be read.
KeyList KeysToAsk(const DfeArguments& arguments, const DfeContext& context);

// Reads the certificate with its password; throws CommandFailure.
dfe::A1Certificate OpenCertificate(const std::string& file, const std::string& passwordFile,
                                   const DfeContext& context);

// The services reached in the certificate's name, and where what came is written and
// recorded in the catalogue.
struct Route : dfe::ServiceRoute {
    std::unique_ptr<DocumentKeeper> keeper;
};

// Opens the route for the command line's certificate, at the service that --homologacao and
// VELLORA_DFE_URL choose, and creates the output folder. Throws CommandFailure.
Route OpenRoute(const DfeArguments& arguments, const DfeContext& context);

}  // namespace tools
