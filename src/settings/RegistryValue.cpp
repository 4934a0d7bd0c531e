#include "RegistryValue.h"

QString registryTypeName(RegistryType type) {
    return type == RegistryType::DWord ? QStringLiteral("REG_DWORD") : QStringLiteral("REG_SZ");
}
