#include "xls/stream_encryption.h"

#include "xls/record_cipher.h"

namespace xls {

std::unique_ptr<CipherPipeline> workbookStreamEncryption(std::unique_ptr<StreamCipher> cipher,
                                                         CipherPipeline::Ciphered encrypted) {
    return std::make_unique<CipherPipeline>(0, std::move(cipher), cipherRecords,
                                            std::move(encrypted));
}

}  // namespace xls
