#pragma once

// Section "Kernel Streaming" of the settings file: buffer options of the engine.
struct KsSettings {
    enum { PathSize = 261 };

    // Reads the file beside the program.
    KsSettings();
    // Reads the given file.
    explicit KsSettings(const char* path);

    void SetDefaults();
    void Read();
    void ReadString(const char* key, char* dest, int size);
    void ReadInt(const char* key, int* value);

    char iniPath[PathSize];
    char outputDevice[PathSize];
    int volumeEnabled;
    int gaplessEnabled;
    int inputBufferSize;   // bytes of the fallback FIFO
    int outputBufferSize;  // bytes of one streaming packet
    int outputBufferCount; // packets queued
};
