// EntClass: the terminal's identity as an order source.
#pragma once

#include <windows.h>

class EntClass {
 public:
  static EntClass* GetInstance();
  DWORD dwGetHRWSource() const;

 private:
  EntClass() = default;
};
