<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>InfoPlist</name>
    <message>
        <source>NoGPSInfo</source>
        <translation>This video holds no GPS information.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>VideoSize</source>
        <translation>videos</translation>
    </message>
    <message>
        <source>VideoSizeOne</source>
        <translation>video</translation>
    </message>
    <message>
        <source>DistFromStart</source>
        <translation>From start:</translation>
    </message>
    <message>
        <source>DistToEnd</source>
        <translation>To end:</translation>
    </message>
    <message>
        <source>m</source>
        <translation>m</translation>
    </message>
    <message>
        <source>CurrentSpeed</source>
        <translation>Speed:</translation>
    </message>
</context>
</TS>
