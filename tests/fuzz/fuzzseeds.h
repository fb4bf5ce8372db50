#pragma once

// Seeds for the fuzz targets: small recordings in the camera's layout, so the
// fuzzer starts past the header instead of guessing it tag by tag.
//
// Call from LLVMFuzzerInitialize. When $VELMORA_FUZZ_SEED_DIR names a folder
// (scripts/run-fuzzers.sh sets it to the target's corpus), the seeds are
// written there unless they already exist; otherwise nothing happens.
namespace velmora::fuzz {

void writeSeedRecordings();

} // namespace velmora::fuzz
