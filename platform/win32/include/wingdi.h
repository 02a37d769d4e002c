// Headless Win32: GDI (drawing, fonts, device contexts).
#pragma once
