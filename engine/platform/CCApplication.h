// The application: the process-wide object whose run() opens the window,
// reports the launch and drives the director's frame loop on the real clock.
// The book's delegate derives from it and fills in the three notifications.
#pragma once

namespace cc {

enum ccLanguageType {
    kLanguageEnglish = 0,
    kLanguageChinese,
    kLanguageFrench,
    kLanguageItalian,
    kLanguageGerman,
    kLanguageSpanish,
    kLanguageRussian,
    kLanguageKorean,
    kLanguageJapanese,
    kLanguageHungarian,
    kLanguagePortuguese,
    kLanguageArabic
};

enum TargetPlatform { kTargetWindows, kTargetLinux, kTargetMacOS, kTargetAndroid, kTargetIphone, kTargetIpad };

class CCApplication {
public:
    // Registers this object as the shared application.
    CCApplication();
    virtual ~CCApplication();

    // Called once the view exists; false ends run() at once.
    virtual bool launch() = 0;
    // The window was minimised / restored.
    virtual void enterBackground() = 0;
    virtual void enterForeground() = 0;

    // The frame period of the loop (the director's animation interval).
    virtual void setAnimationInterval(double interval);
    virtual ccLanguageType getCurrentLanguage();
    virtual TargetPlatform getTargetPlatform();
    // Opens the window (unless the view already has a backend), launches and
    // runs frames until the director ends; returns the process exit code.
    virtual int run();

    static CCApplication* sharedApplication();
};

} // namespace cc
