#include "InstalledApplications.h"

InstalledApplications::~InstalledApplications() = default;
