#pragma once
// The dataset classes live together; see Dataset.h for the API summary.
#include "platform/data/Dataset.h"
