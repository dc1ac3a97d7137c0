#pragma once

// Encrypts a Workbook stream in place while it is written, leaving in the clear
// what BIFF8 never encrypts: record headers, BOF, FILEPASS and the other listed
// records, and the sheet position of each BOUNDSHEET.

#include <cstddef>
#include <cstdint>
#include <span>

#include <memory>

#include "xls/cipher_pipeline.h"
#include "xls/crypto.h"

namespace xls {

// A pipeline that encrypts the records handed to it with `cipher`, from the start
// of the stream (BOF and FILEPASS, which open it, stay in the clear), and gives
// what its thread has encrypted to `encrypted`, if any, as it goes.
std::unique_ptr<CipherPipeline> workbookStreamEncryption(std::unique_ptr<StreamCipher> cipher,
                                                         CipherPipeline::Ciphered encrypted = {});

}  // namespace xls
