#pragma once

// The user's locale as far as the map service is concerned.
class MyLocale {
public:
    // True exactly when the default locale's country code is "CN". Asked at
    // every use, so a locale change takes effect at the next call.
    static bool isCountryChina();
};
