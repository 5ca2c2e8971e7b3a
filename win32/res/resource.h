#pragma once

#define IDI_PRAVEX 1
