#pragma once
// Base64 (RFC 4648, with padding) for images carried inside text formats.
#include <cstdint>
#include <string>
#include <vector>

std::string Base64(const std::vector<std::uint8_t>& bytes);
