#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Writes bytes to a file of their own beside file, then moves it over file once it is
// whole on the disk, so that a failure leaves neither part of a file nor a half-overwritten
// one. The system's reason where it fails.
std::optional<std::wstring> saveWhole(const std::filesystem::path& file,
                                      const std::vector<std::uint8_t>& bytes);
