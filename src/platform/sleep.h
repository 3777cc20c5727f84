#pragma once

void sleepMilliseconds(int ms);
