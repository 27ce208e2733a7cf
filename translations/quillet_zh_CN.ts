<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CoreWords</name>
    <message>
        <source>The file could not be read.</source>
        <translation>无法读取文件。</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>无法写入文件。</translation>
    </message>
    <message>
        <source>The file is too short to be a menu file.</source>
        <translation>文件太短，不是菜单文件。</translation>
    </message>
    <message>
        <source>The file&apos;s record table cannot be read.</source>
        <translation>无法读取文件的记录表。</translation>
    </message>
    <message>
        <source>An item&apos;s data lies outside the file&apos;s data area.</source>
        <translation>某一项的数据位于文件数据区之外。</translation>
    </message>
    <message>
        <source>The menu has more items than a menu file can hold.</source>
        <translation>菜单项多于菜单文件所能容纳的数量。</translation>
    </message>
    <message>
        <source>The item data are longer than a menu file can address.</source>
        <translation>项目数据超出了菜单文件可寻址的长度。</translation>
    </message>
    <message>
        <source>A value is larger than an item can hold.</source>
        <translation>某个值超出了菜单项所能容纳的范围。</translation>
    </message>
    <message>
        <source>A value cannot be used here.</source>
        <translation>此处不能使用该值。</translation>
    </message>
    <message>
        <source>There is no menu to work on.</source>
        <translation>没有可处理的菜单。</translation>
    </message>
    <message>
        <source>The phone could not do what was asked.</source>
        <translation>手机未能完成所请求的操作。</translation>
    </message>
    <message>
        <source>Format: %1-byte   Main menu entries: %2</source>
        <translation>格式：%1 字节   主菜单项：%2</translation>
    </message>
    <message>
        <source>Getting file count</source>
        <translation>正在获取文件数量</translation>
    </message>
    <message>
        <source>Getting file list</source>
        <translation>正在获取文件列表</translation>
    </message>
    <message>
        <source>Files found: %1</source>
        <translation>找到的文件数：%1</translation>
    </message>
    <message>
        <source>A list of the menu runs into a record already read and ends there.</source>
        <translation>菜单中的某个列表延伸到已读取的记录，并在该处结束。</translation>
    </message>
    <message>
        <source>A submenu link leads to a record that cannot be used and is not followed.</source>
        <translation>某个子菜单链接指向不可用的记录，已忽略该链接。</translation>
    </message>
    <message>
        <source>Records of the file belong to no menu list and are not loaded.</source>
        <translation>文件中有记录不属于任何菜单列表，未被加载。</translation>
    </message>
    <message>
        <source>Items announce item data, but the file has none; they are loaded without data.</source>
        <translation>部分菜单项声明有数据，但文件中没有数据区；这些菜单项已在无数据的情况下加载。</translation>
    </message>
    <message>
        <source>The file cannot be saved as it is: remove items or item data first.</source>
        <translation>文件无法按原样保存：请先删除一些菜单项或菜单项数据。</translation>
    </message>
    <message>
        <source>An item&apos;s data end inside a data block; the rest is not kept.</source>
        <translation>某个菜单项的数据在数据块中间结束；其余部分未保留。</translation>
    </message>
    <message>
        <source>A data block cannot be read; it is kept as unsupported data, saved only with &quot;Save all data&quot;.</source>
        <translation>某个数据块无法读取；已将其作为不支持的数据保留，仅在选中“保存全部数据”时写入。</translation>
    </message>
    <message>
        <source>A data block does not fit into its item and is not kept.</source>
        <translation>某个数据块超出了菜单项的容量，未保留。</translation>
    </message>
    <message>
        <source>
File: %1</source>
        <translation>
文件：%1</translation>
    </message>
    <message>
        <source>The file cannot be used as a Java application.</source>
        <translation>此文件无法用作 Java 应用程序。</translation>
    </message>
</context>
<context>
    <name>FileChooser</name>
    <message>
        <source>All Files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>Java applications (*.jad *.jar)</source>
        <translation>Java 应用程序 (*.jad *.jar)</translation>
    </message>
    <message>
        <source>Choose Java application</source>
        <translation>选择 Java 应用程序</translation>
    </message>
    <message>
        <source>Phone files folder</source>
        <translation>手机文件文件夹</translation>
    </message>
    <message>
        <source>Pictures (*.gif *.png *.jpg *.jpeg *.bmp *.wbmp)</source>
        <translation>图片 (*.gif *.png *.jpg *.jpeg *.bmp *.wbmp)</translation>
    </message>
    <message>
        <source>Put a picture on the phone</source>
        <translation>将图片放到手机上</translation>
    </message>
</context>
<context>
    <name>LanguageNames</name>
    <message>
        <source>English US</source>
        <translation>美国英语</translation>
    </message>
    <message>
        <source>Arabic</source>
        <translation>阿拉伯语</translation>
    </message>
    <message>
        <source>English UK</source>
        <translation>英国英语</translation>
    </message>
    <message>
        <source>Chinese Complex</source>
        <translation>繁体中文</translation>
    </message>
    <message>
        <source>Chinese Simple</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>French</source>
        <translation>法语</translation>
    </message>
    <message>
        <source>German</source>
        <translation>德语</translation>
    </message>
    <message>
        <source>Hebrew</source>
        <translation>希伯来语</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>意大利语</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>西班牙语</translation>
    </message>
    <message>
        <source>Thai</source>
        <translation>泰语</translation>
    </message>
    <message>
        <source>Vietnamese</source>
        <translation>越南语</translation>
    </message>
    <message>
        <source>Canadian French</source>
        <translation>加拿大法语</translation>
    </message>
    <message>
        <source>American Spanish</source>
        <translation>美洲西班牙语</translation>
    </message>
    <message>
        <source>Bahasa</source>
        <translation>印尼语</translation>
    </message>
    <message>
        <source>Bulgarian</source>
        <translation>保加利亚语</translation>
    </message>
    <message>
        <source>Croatian</source>
        <translation>克罗地亚语</translation>
    </message>
    <message>
        <source>Czech</source>
        <translation>捷克语</translation>
    </message>
    <message>
        <source>Danish</source>
        <translation>丹麦语</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>荷兰语</translation>
    </message>
    <message>
        <source>Estonian</source>
        <translation>爱沙尼亚语</translation>
    </message>
    <message>
        <source>Finnish</source>
        <translation>芬兰语</translation>
    </message>
    <message>
        <source>Greek</source>
        <translation>希腊语</translation>
    </message>
    <message>
        <source>Hungarian</source>
        <translation>匈牙利语</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日语</translation>
    </message>
    <message>
        <source>Korean</source>
        <translation>韩语</translation>
    </message>
    <message>
        <source>Latvian</source>
        <translation>拉脱维亚语</translation>
    </message>
    <message>
        <source>Lithuanian</source>
        <translation>立陶宛语</translation>
    </message>
    <message>
        <source>Malay</source>
        <translation>马来语</translation>
    </message>
    <message>
        <source>Norwegian</source>
        <translation>挪威语</translation>
    </message>
    <message>
        <source>Polish</source>
        <translation>波兰语</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>葡萄牙语</translation>
    </message>
    <message>
        <source>American Portuguese</source>
        <translation>美洲葡萄牙语</translation>
    </message>
    <message>
        <source>Romanian</source>
        <translation>罗马尼亚语</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>俄语</translation>
    </message>
    <message>
        <source>Serbian</source>
        <translation>塞尔维亚语</translation>
    </message>
    <message>
        <source>Slovak</source>
        <translation>斯洛伐克语</translation>
    </message>
    <message>
        <source>Slovenian</source>
        <translation>斯洛文尼亚语</translation>
    </message>
    <message>
        <source>Tagalog</source>
        <translation>他加禄语</translation>
    </message>
    <message>
        <source>Turkish</source>
        <translation>土耳其语</translation>
    </message>
    <message>
        <source>Ukrainian</source>
        <translation>乌克兰语</translation>
    </message>
    <message>
        <source>Brazilian Portuguese</source>
        <translation>巴西葡萄牙语</translation>
    </message>
    <message>
        <source>Swedish</source>
        <translation>瑞典语</translation>
    </message>
    <message>
        <source>Farsi</source>
        <translation>波斯语</translation>
    </message>
    <message>
        <source>Urdu</source>
        <translation>乌尔都语</translation>
    </message>
    <message>
        <source>Hindi</source>
        <translation>印地语</translation>
    </message>
    <message>
        <source>Bahasa Malay</source>
        <translation>马来语（Bahasa Melayu）</translation>
    </message>
    <message>
        <source>Language %1</source>
        <translation>语言 %1</translation>
    </message>
</context>
<context>
    <name>StartArguments</name>
    <message>
        <source>Editor of the main menu file (mma_ucp) of Motorola P2K phones.</source>
        <translation>摩托罗拉 P2K 手机主菜单文件 (mma_ucp) 编辑器。</translation>
    </message>
    <message>
        <source>The interface language: %1.</source>
        <translation>界面语言：%1。</translation>
    </message>
    <message>
        <source>The menu file to open.</source>
        <translation>要打开的菜单文件。</translation>
    </message>
    <message>
        <source>The editor opens one file at a time.</source>
        <translation>编辑器一次只能打开一个文件。</translation>
    </message>
    <message>
        <source>Unknown language &quot;%1&quot;; the editor speaks %2.</source>
        <translation>未知语言“%1”；可用语言：%2。</translation>
    </message>
    <message>
        <source>Start with the remembered settings (recent files, folders, window position, language) forgotten.</source>
        <translation>启动时清除记住的设置（最近的文件、文件夹、窗口位置、语言）。</translation>
    </message>
</context>
<context>
    <name>quillet::ui::ChooseIconDialog</name>
    <message>
        <source>The file does not decode as a picture: %1</source>
        <translation>该文件无法解码为图片：%1</translation>
    </message>
    <message>
        <source>Choose icon</source>
        <translation>选择图标</translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation>文件夹(&amp;F)：</translation>
    </message>
    <message>
        <source>Put an image from this computer on the phone...</source>
        <translation>将此计算机上的图片放到手机上...</translation>
    </message>
    <message>
        <source>A phone must be connected to put files on it.</source>
        <translation>必须连接手机才能向其放入文件。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>No phone is connected and no phone files folder is chosen (View &gt; Phone files folder...): there are no pictures to show.</source>
        <translation>未连接手机，也未选择手机文件文件夹（视图 &gt; 手机文件文件夹...）：没有可显示的图片。</translation>
    </message>
    <message>
        <source>Reading the list of files...</source>
        <translation>正在读取文件列表...</translation>
    </message>
    <message>
        <source>The list of files could not be read:
%1</source>
        <translation>无法读取文件列表：
%1</translation>
    </message>
    <message>
        <source>%1
%2 bytes</source>
        <translation>%1
%2 字节</translation>
    </message>
    <message>
        <source>No pictures in this folder.</source>
        <translation>此文件夹中没有图片。</translation>
    </message>
    <message>
        <source>%1 has %2 bytes, more than the %3 bytes (64 KiB) a picture put on the phone may have.</source>
        <translation>%1 有 %2 字节，超过了放到手机上的图片所允许的 %3 字节（64 KiB）。</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>The phone already has a file %1.
Replace it? The phone&apos;s file is backed up first.</source>
        <translation>手机上已有文件 %1。
要替换它吗？会先备份手机上的该文件。</translation>
    </message>
    <message>
        <source>Putting %1 on the phone...</source>
        <translation>正在将 %1 放到手机上...</translation>
    </message>
    <message>
        <source>Pictures on the connected phone</source>
        <translation>已连接手机上的图片</translation>
    </message>
    <message>
        <source>Pictures on the phone %1</source>
        <translation>手机 %1 上的图片</translation>
    </message>
    <message>
        <source>No phone is connected: the pictures in the phone files folder %1</source>
        <translation>未连接手机：手机文件文件夹 %1 中的图片</translation>
    </message>
</context>
<context>
    <name>quillet::ui::HelpWindow</name>
    <message>
        <source>Quillet Help</source>
        <translation>Quillet 帮助</translation>
    </message>
</context>
<context>
    <name>quillet::ui::LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>The language of the windows, from the next start</source>
        <translation>窗口语言，下次启动时生效</translation>
    </message>
    <message>
        <source>&amp;System language</source>
        <translation>跟随系统(&amp;S)</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>The new language applies when Quillet is started again.</source>
        <translation>新语言将在下次启动 Quillet 时生效。</translation>
    </message>
</context>
<context>
    <name>quillet::ui::MenuTreeModel</name>
    <message>
        <source>Identifier: %1</source>
        <translation>标识符：%1</translation>
    </message>
    <message>
        <source>Names:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Softkey titles:</source>
        <translation>软键标题：</translation>
    </message>
    <message>
        <source>DRM index %1</source>
        <translation>DRM 索引 %1</translation>
    </message>
    <message>
        <source>Animated icon: %1</source>
        <translation>动画图标：%1</translation>
    </message>
    <message>
        <source>Static icon: %1</source>
        <translation>静态图标：%1</translation>
    </message>
    <message>
        <source>List icon: %1</source>
        <translation>列表图标：%1</translation>
    </message>
    <message>
        <source>No names or icons of its own</source>
        <translation>没有自己的名称或图标</translation>
    </message>
</context>
<context>
    <name>quillet::ui::MidletChooserDialog</name>
    <message>
        <source>Choose MIDlet</source>
        <translation>选择 MIDlet</translation>
    </message>
    <message>
        <source>This Java application holds several MIDlets.
Which one should the menu item start?</source>
        <translation>此 Java 应用程序包含多个 MIDlet。
菜单项应启动哪一个？</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>quillet::ui::PhonePreviewWindow</name>
    <message>
        <source>Phone preview</source>
        <translation>手机预览</translation>
    </message>
    <message>
        <source>Display language</source>
        <translation>显示语言</translation>
    </message>
    <message>
        <source>List view</source>
        <translation>列表视图</translation>
    </message>
    <message>
        <source>Icons from the connected phone</source>
        <translation>图标来自已连接的手机</translation>
    </message>
    <message>
        <source>Icons from the phone %1</source>
        <translation>图标来自手机 %1</translation>
    </message>
    <message>
        <source>Icons from the folder %1</source>
        <translation>图标来自文件夹 %1</translation>
    </message>
    <message>
        <source>No phone and no phone files folder: icons cannot be shown (View &gt; Phone files folder...)</source>
        <translation>没有手机，也没有手机文件文件夹：无法显示图标（视图 &gt; 手机文件文件夹...）</translation>
    </message>
</context>
<context>
    <name>quillet::ui::PhoneProgressDialog</name>
    <message>
        <source>Open from phone</source>
        <translation>从手机打开</translation>
    </message>
    <message>
        <source>Save to phone</source>
        <translation>保存到手机</translation>
    </message>
    <message>
        <source>Restart Phone</source>
        <translation>重启手机</translation>
    </message>
    <message>
        <source>Reading the phone&apos;s menu to back it up...</source>
        <translation>正在读取手机菜单以便备份...</translation>
    </message>
    <message>
        <source>Reading the menu from the phone...</source>
        <translation>正在从手机读取菜单...</translation>
    </message>
    <message>
        <source>Keeping a backup of the phone&apos;s menu...</source>
        <translation>正在保存手机菜单的备份...</translation>
    </message>
    <message>
        <source>Writing the menu to the phone...</source>
        <translation>正在将菜单写入手机...</translation>
    </message>
    <message>
        <source>Reading the menu back to check it...</source>
        <translation>正在回读菜单以进行校验...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Restarting the phone...</source>
        <translation>正在重启手机...</translation>
    </message>
    <message>
        <source>
%1 of %2 bytes</source>
        <translation>
%1 / %2 字节</translation>
    </message>
    <message>
        <source>
Cancelling...</source>
        <translation>
正在取消...</translation>
    </message>
    <message>
        <source>
A write to the phone cannot be interrupted: please wait.</source>
        <translation>
写入手机的过程无法中断，请稍候。</translation>
    </message>
    <message>
        <source>Restore phone menu</source>
        <translation>恢复手机菜单</translation>
    </message>
    <message>
        <source>Put a picture on the phone</source>
        <translation>将图片放到手机上</translation>
    </message>
    <message>
        <source>Looking for a file of that name on the phone...</source>
        <translation>正在手机上查找同名文件...</translation>
    </message>
    <message>
        <source>Keeping a backup of the phone&apos;s file...</source>
        <translation>正在保存手机文件的备份...</translation>
    </message>
    <message>
        <source>Writing the file to the phone...</source>
        <translation>正在将文件写入手机...</translation>
    </message>
    <message>
        <source>Reading the file back to check it...</source>
        <translation>正在读回文件以进行检查...</translation>
    </message>
</context>
<context>
    <name>quillet::ui::PhoneScreen</name>
    <message>
        <source> (no name in the display language)</source>
        <translation>（没有该显示语言的名称）</translation>
    </message>
    <message>
        <source>Icon: DRM index %1, from the phone&apos;s DRM store</source>
        <translation>图标：DRM 索引 %1，来自手机的 DRM 存储</translation>
    </message>
    <message>
        <source>No icon in the menu file: the phone draws its own</source>
        <translation>菜单文件中没有图标：手机使用自己的图标</translation>
    </message>
    <message>
        <source>Looked for in %1</source>
        <translation>查找位置：%1</translation>
    </message>
    <message>
        <source>Icon: %1</source>
        <translation>图标：%1</translation>
    </message>
    <message>
        <source>Icon: %1 (being read)</source>
        <translation>图标：%1（正在读取）</translation>
    </message>
    <message>
        <source>Missing icon: %1</source>
        <translation>缺少图标：%1</translation>
    </message>
    <message>
        <source>Main menu</source>
        <translation>主菜单</translation>
    </message>
    <message>
        <source>DRM
%1</source>
        <translation>DRM
%1</translation>
    </message>
</context>
<context>
    <name>quillet::ui::PreviewIconStore</name>
    <message>
        <source>the connected phone</source>
        <translation>已连接的手机</translation>
    </message>
    <message>
        <source>the phone %1</source>
        <translation>手机 %1</translation>
    </message>
    <message>
        <source>No phone is connected and no phone files folder is chosen.</source>
        <translation>未连接手机，也未选择手机文件文件夹。</translation>
    </message>
    <message>
        <source>the phone files folder %1</source>
        <translation>手机文件文件夹 %1</translation>
    </message>
    <message>
        <source>There is no such file.</source>
        <translation>没有此文件。</translation>
    </message>
    <message>
        <source>The file cannot be read: %1</source>
        <translation>无法读取文件：%1</translation>
    </message>
    <message>
        <source>The file does not decode as an image: %1</source>
        <translation>文件无法解码为图像：%1</translation>
    </message>
</context>
<context>
    <name>quillet::ui::RestorePhoneMenuDialog</name>
    <message>
        <source>Restore phone menu</source>
        <translation>恢复手机菜单</translation>
    </message>
    <message>
        <source>Choose the menu to write back to the phone. The menu the phone holds now is backed up first.</source>
        <translation>选择要写回手机的菜单。手机当前的菜单会先做备份。</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>Main-menu entries</source>
        <translation>主菜单项数</translation>
    </message>
    <message>
        <source>State</source>
        <translation>状态</translation>
    </message>
    <message numerus="yes">
        <source>%n bytes</source>
        <translation>
            <numerusform>%n 字节</numerusform>
        </translation>
    </message>
    <message>
        <source>damaged</source>
        <translation>已损坏</translation>
    </message>
    <message>
        <source>does not load</source>
        <translation>无法加载</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
</context>
<context>
    <name>quillet::ui::TAboutBox</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Version 0.1</source>
        <translation>版本 0.1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>quillet::ui::TForm1</name>
    <message>
        <source>Name settings</source>
        <translation>名称设置</translation>
    </message>
    <message>
        <source>Name list</source>
        <translation>名称列表</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Language ID</source>
        <translation>语言 ID</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Select language</source>
        <translation>选择语言</translation>
    </message>
    <message>
        <source>Type in new name</source>
        <translation>输入新名称</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Wrong data</source>
        <translation>数据错误</translation>
    </message>
    <message>
        <source>A name can hold at most %1 characters; this one has %2.</source>
        <translation>名称最多只能有 %1 个字符，而此名称有 %2 个。</translation>
    </message>
</context>
<context>
    <name>quillet::ui::TForm2</name>
    <message>
        <source>Unsupported blocks view [currently read-only]</source>
        <translation>不支持的数据块 [当前只读]</translation>
    </message>
    <message>
        <source>Data blocks avilable</source>
        <translation>可用数据块</translation>
    </message>
    <message>
        <source>Data marker:</source>
        <translation>数据标记：</translation>
    </message>
    <message>
        <source>Data length:</source>
        <translation>数据长度：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>quillet::ui::TOKRightDlg</name>
    <message>
        <source>Basic settings</source>
        <translation>基本设置</translation>
    </message>
    <message>
        <source>Item attributes</source>
        <translation>菜单项属性</translation>
    </message>
    <message>
        <source>Allow adding to Security-&gt;Lock app list</source>
        <translation>允许添加到“安全-&gt;锁定应用程序”列表</translation>
    </message>
    <message>
        <source>Protect access to item with unlock code</source>
        <translation>用解锁码保护此菜单项</translation>
    </message>
    <message>
        <source>Disable key re-assignment via Home Keys menu </source>
        <translation>禁止通过“主屏幕按键”菜单重新分配按键 </translation>
    </message>
    <message>
        <source>Item name settings</source>
        <translation>菜单项名称设置</translation>
    </message>
    <message>
        <source>Edit menu item name</source>
        <translation>编辑菜单项名称</translation>
    </message>
    <message>
        <source>Edit softkey title</source>
        <translation>编辑软键标题</translation>
    </message>
    <message>
        <source>Icon settings</source>
        <translation>图标设置</translation>
    </message>
    <message>
        <source>Animated icon (file path or index to DRM)</source>
        <translation>动画图标（文件路径或 DRM 索引）</translation>
    </message>
    <message>
        <source>Static icon (file path or index to DRM)</source>
        <translation>静态图标（文件路径或 DRM 索引）</translation>
    </message>
    <message>
        <source>List icon (file path or index to DRM)</source>
        <translation>列表图标（文件路径或 DRM 索引）</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>View unsupported data</source>
        <translation>查看不支持的数据</translation>
    </message>
    <message>
        <source>More ...</source>
        <translation>更多...</translation>
    </message>
    <message>
        <source>Wrong data</source>
        <translation>数据错误</translation>
    </message>
    <message>
        <source>Type in a path or a number!</source>
        <translation>请输入路径或数字！</translation>
    </message>
    <message>
        <source>Red: a file path. Yellow: an index to DRM. Empty: no icon.</source>
        <translation>红色：文件路径。黄色：DRM 索引。空白：无图标。</translation>
    </message>
    <message>
        <source>No icon of this kind</source>
        <translation>没有此类图标</translation>
    </message>
    <message>
        <source>The icon is a file path on the phone</source>
        <translation>图标是手机上的文件路径</translation>
    </message>
    <message>
        <source>The icon is an index to the phone&apos;s DRM store</source>
        <translation>图标是手机 DRM 存储中的索引</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose icon: pick a picture on the phone, or put one there</source>
        <translation>选择图标：选取手机上的图片，或放一张到手机上</translation>
    </message>
</context>
<context>
    <name>quillet::ui::TOKRightDlg1</name>
    <message>
        <source>Only Latin-1 characters can be typed here (one byte each), at most 255.</source>
        <translation>此处只能输入 Latin-1 字符（每个字符一个字节），最多 255 个。</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Select custom item type</source>
        <translation>选择自定义菜单项类型</translation>
    </message>
    <message>
        <source>URL Settings</source>
        <translation>URL 设置</translation>
    </message>
    <message>
        <source>Application Settings</source>
        <translation>应用程序设置</translation>
    </message>
    <message>
        <source>Application name</source>
        <translation>应用程序名称</translation>
    </message>
    <message>
        <source>MIDlet name</source>
        <translation>MIDlet 名称</translation>
    </message>
    <message>
        <source>MIDlet vendor</source>
        <translation>MIDlet 供应商</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Custom item cannot have both URL and a midlet attached<byte value="xd"/>
Remove midlet reference first<byte value="xd"/>
Should we remove it now?</source>
        <translation>自定义菜单项不能同时附加 URL 和 MIDlet<byte value="xd"/>
请先删除 MIDlet 引用<byte value="xd"/>
是否立即删除？</translation>
    </message>
    <message>
        <source>Custom item cannot have both URL and a midlet attached<byte value="xd"/>
Remove URL first<byte value="xd"/>
Should we remove it now?</source>
        <translation>自定义菜单项不能同时附加 URL 和 MIDlet<byte value="xd"/>
请先删除 URL<byte value="xd"/>
是否立即删除？</translation>
    </message>
    <message>
        <source>URL link</source>
        <translation>URL 链接</translation>
    </message>
    <message>
        <source>Application start</source>
        <translation>启动应用程序</translation>
    </message>
    <message>
        <source>Choose Java application...</source>
        <translation>选择 Java 应用程序...</translation>
    </message>
    <message>
        <source>Fills the application name, MIDlet name and vendor from a Java application&apos;s .jad or .jar file</source>
        <translation>从 Java 应用程序的 .jad 或 .jar 文件填写应用程序名称、MIDlet 名称和供应商</translation>
    </message>
    <message>
        <source>Java application</source>
        <translation>Java 应用程序</translation>
    </message>
</context>
<context>
    <name>quillet::ui::TSDIAppForm</name>
    <message>
        <source>mma_ucp was stored to the phone<byte value="xd"/>
      Should we reboot it?</source>
        <translation>mma_ucp 已保存到手机<byte value="xd"/>
      是否重启手机？</translation>
    </message>
    <message>
        <source>Cut item</source>
        <translation>剪切菜单项</translation>
    </message>
    <message>
        <source>The clipboard holds no menu item to paste: %1</source>
        <translation>剪贴板中没有可粘贴的菜单项：%1</translation>
    </message>
    <message>
        <source>Paste item</source>
        <translation>粘贴菜单项</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>撤销：%1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>重做：%1</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>New|Create a new file</source>
        <translation>新建|新建文件</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <source>Open|Open a file</source>
        <translation>打开|打开文件</translation>
    </message>
    <message>
        <source>Open &amp;backup...</source>
        <translation>打开备份(&amp;B)...</translation>
    </message>
    <message>
        <source>Open backup|Open a backup of a phone&apos;s menu</source>
        <translation>打开备份|打开手机菜单的备份</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save|Save current file</source>
        <translation>保存|保存当前文件</translation>
    </message>
    <message>
        <source>Open from &amp;phone</source>
        <translation>从手机打开(&amp;P)</translation>
    </message>
    <message>
        <source>Save to p&amp;hone</source>
        <translation>保存到手机(&amp;H)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>Save As|Save current file with different name</source>
        <translation>另存为|以其他名称保存当前文件</translation>
    </message>
    <message>
        <source>&amp;Restart Phone</source>
        <translation>重启手机(&amp;R)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Exit|Exit application</source>
        <translation>退出|退出程序</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>关于(&amp;A)...</translation>
    </message>
    <message>
        <source>About|Displays program information, version number, and copyright</source>
        <translation>关于|显示程序信息、版本号和版权</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>File related commands</source>
        <translation>文件相关命令</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>Help topics</source>
        <translation>帮助主题</translation>
    </message>
    <message>
        <source>MMA save mode</source>
        <translation>MMA 保存模式</translation>
    </message>
    <message>
        <source>22-byte</source>
        <translation>22 字节</translation>
    </message>
    <message>
        <source>36-byte</source>
        <translation>36 字节</translation>
    </message>
    <message>
        <source>Save all data</source>
        <translation>保存全部数据</translation>
    </message>
    <message>
        <source>c698p mma_ucp fix</source>
        <translation>c698p mma_ucp 修正</translation>
    </message>
    <message>
        <source>Custom icon attribute</source>
        <translation>自定义图标属性</translation>
    </message>
    <message>
        <source>Available mma items</source>
        <translation>可用的 mma 菜单项</translation>
    </message>
    <message>
        <source>Item summary:</source>
        <translation>菜单项摘要：</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>全部保存</translation>
    </message>
    <message>
        <source>%1[*] - %2</source>
        <translation>%1[*] - %2</translation>
    </message>
    <message>
        <source>The menu &quot;%1&quot; has changed.
Do you want to save the changes?</source>
        <translation>菜单“%1”已更改。
是否保存更改？</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>未命名</translation>
    </message>
    <message>
        <source>

File: %1</source>
        <translation>

文件：%1</translation>
    </message>
    <message>
        <source>Some data of &quot;%1&quot; cannot be kept by the editor and was left out:</source>
        <translation>编辑器无法保留“%1”中的部分数据，这些数据已被略去：</translation>
    </message>
    <message numerus="yes">
        <source>
%n warnings; &quot;Show Details...&quot; lists them all.</source>
        <translation>
            <numerusform>
共 %n 条警告；“显示详情...”列出全部警告。</numerusform>
        </translation>
    </message>
    <message>
        <source>The menu read from the phone could not be backed up.</source>
        <translation>无法备份从手机读取的菜单。</translation>
    </message>
    <message>
        <source>Icon(s) modified [source: file]</source>
        <translation>图标已修改 [来源：文件]</translation>
    </message>
    <message>
        <source>Icon(s) modified [source: DRM]</source>
        <translation>图标已修改 [来源：DRM]</translation>
    </message>
    <message>
        <source>Name in menu modified</source>
        <translation>菜单名称已修改</translation>
    </message>
    <message>
        <source>Softkey name modified</source>
        <translation>软键名称已修改</translation>
    </message>
    <message>
        <source>URL attached</source>
        <translation>已附加 URL</translation>
    </message>
    <message>
        <source>MIDlet attached</source>
        <translation>已附加 MIDlet</translation>
    </message>
    <message>
        <source>Unsupported Data</source>
        <translation>不支持的数据</translation>
    </message>
    <message>
        <source>[Not modified]</source>
        <translation>[未修改]</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Add subitem</source>
        <translation>添加子项</translation>
    </message>
    <message>
        <source>Add First</source>
        <translation>添加到最前</translation>
    </message>
    <message>
        <source>Add Last</source>
        <translation>添加到最后</translation>
    </message>
    <message>
        <source>Add item</source>
        <translation>添加菜单项</translation>
    </message>
    <message>
        <source>Add Before</source>
        <translation>添加到前面</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <source>Modify item</source>
        <translation>修改菜单项</translation>
    </message>
    <message>
        <source>Delete item</source>
        <translation>删除菜单项</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Copy item</source>
        <translation>复制菜单项</translation>
    </message>
    <message>
        <source>Paste as subitem</source>
        <translation>粘贴为子项</translation>
    </message>
    <message>
        <source>Replace item</source>
        <translation>替换菜单项</translation>
    </message>
    <message>
        <source>The item and all its subitems will be deleted<byte value="xd"/>
           Continue?</source>
        <translation>该菜单项及其所有子项将被删除<byte value="xd"/>
           是否继续？</translation>
    </message>
    <message>
        <source>Selected item cannot have a submenu.<byte value="xd"/>
          Existing submenu will be deleted<byte value="xd"/>
                Continue?</source>
        <translation>所选菜单项不能有子菜单。<byte value="xd"/>
          现有子菜单将被删除<byte value="xd"/>
                是否继续？</translation>
    </message>
    <message>
        <source>A pasted item cannot have a submenu.<byte value="xd"/>
Its subitems will be left out.<byte value="xd"/>
Continue?</source>
        <translation>粘贴的菜单项不能有子菜单。<byte value="xd"/>
其子项将被略去。<byte value="xd"/>
是否继续？</translation>
    </message>
    <message>
        <source>Move item</source>
        <translation>移动菜单项</translation>
    </message>
    <message>
        <source>Phone: None </source>
        <translation>手机：无 </translation>
    </message>
    <message>
        <source>Phone: %1 </source>
        <translation>手机：%1 </translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>Phone preview</source>
        <translation>手机预览</translation>
    </message>
    <message>
        <source>Show the menu as the phone shows it</source>
        <translation>按手机显示的样子显示菜单</translation>
    </message>
    <message>
        <source>Phone files folder...</source>
        <translation>手机文件文件夹...</translation>
    </message>
    <message>
        <source>Choose the folder that stands for the phone&apos;s files when no phone is connected</source>
        <translation>选择在未连接手机时代替手机文件的文件夹</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>撤销：%1(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>重做：%1(&amp;R)</translation>
    </message>
    <message>
        <source>Undo and redo changes to the menu; cut, copy and paste items</source>
        <translation>撤销和重做对菜单的更改；剪切、复制和粘贴菜单项</translation>
    </message>
    <message>
        <source>Open from phone|Read the menu file from the connected phone</source>
        <translation>从手机打开|从已连接的手机读取菜单文件</translation>
    </message>
    <message>
        <source>Save to phone|Write the menu to the connected phone and check it</source>
        <translation>保存到手机|将菜单写入已连接的手机并进行校验</translation>
    </message>
    <message>
        <source>Restart Phone|Restart the connected phone so that it reads the new menu</source>
        <translation>重启手机|重启已连接的手机，使其读取新菜单</translation>
    </message>
    <message>
        <source>Quillet &amp;Help</source>
        <translation>Quillet 帮助(&amp;H)</translation>
    </message>
    <message>
        <source>Help|Open the user guide</source>
        <translation>帮助|打开用户指南</translation>
    </message>
    <message>
        <source>mma_ucp (phone)</source>
        <translation>mma_ucp（手机）</translation>
    </message>
    <message>
        <source>Menu written to the phone and checked</source>
        <translation>菜单已写入手机并通过校验</translation>
    </message>
    <message>
        <source>Phone restarting</source>
        <translation>手机正在重启</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>最近打开(&amp;R)</translation>
    </message>
    <message>
        <source>Open a file opened or saved before</source>
        <translation>打开以前打开或保存过的文件</translation>
    </message>
    <message>
        <source>&amp;Clear Menu</source>
        <translation>清除列表(&amp;C)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; no longer exists; it was taken off the recent files.</source>
        <translation>“%1”已不存在，已从最近的文件中移除。</translation>
    </message>
    <message>
        <source>uninterpreted data (tag %1)</source>
        <translation>未解析的数据（标记 %1）</translation>
    </message>
    <message>
        <source>uninterpreted data (tags %1)</source>
        <translation>未解析的数据（标记 %1）</translation>
    </message>
    <message>
        <source>item kind %1 (saved as 0)</source>
        <translation>菜单项类型 %1（将保存为 0）</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a backup of a phone&apos;s menu, which is kept as it was read. Save the menu under another name.</source>
        <translation>“%1”是手机菜单的备份，将保持读取时的原样。请用其他名称保存菜单。</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>已保存到 %1</translation>
    </message>
    <message>
        <source>&quot;Save all data&quot; is not ticked, so this save would leave out data the menu holds:</source>
        <translation>未勾选“保存全部数据”，因此本次保存将丢弃菜单中的以下数据：</translation>
    </message>
    <message numerus="yes">
        <source>
%n items; &quot;Show Details...&quot; lists them all.</source>
        <translation>
            <numerusform>
共 %n 个菜单项；“显示详情...”列出全部菜单项。</numerusform>
        </translation>
    </message>
    <message>
        <source>&quot;Keep the data&quot; ticks &quot;Save all data&quot; and saves everything.</source>
        <translation>“保留数据”会勾选“保存全部数据”并保存所有内容。</translation>
    </message>
    <message>
        <source>Keep the data</source>
        <translation>保留数据</translation>
    </message>
    <message>
        <source>Leave it out</source>
        <translation>不保留</translation>
    </message>
    <message>
        <source>Item: %1 without subitems</source>
        <translation>菜单项：%1，无子项</translation>
    </message>
    <message>
        <source>Item: %1 with 1 subitem</source>
        <translation>菜单项：%1，含 1 个子项</translation>
    </message>
    <message>
        <source>Item: %1 with %2 subitems</source>
        <translation>菜单项：%1，含 %2 个子项</translation>
    </message>
    <message>
        <source>Restore phone &amp;menu...</source>
        <translation>恢复手机菜单(&amp;M)...</translation>
    </message>
    <message>
        <source>Restore phone menu|Write one of this phone&apos;s backups back to it</source>
        <translation>恢复手机菜单|将此手机的一个备份写回手机</translation>
    </message>
    <message>
        <source>The last write to this phone did not finish: its menu holds %1 bytes where %2 were sent, so the phone may not show its menu.
The menu it had before was kept at %3.</source>
        <translation>上次对此手机的写入未完成：其菜单只有 %1 字节，而发送的是 %2 字节，因此手机可能无法显示菜单。
手机之前的菜单已于 %3 备份。</translation>
    </message>
    <message>
        <source>Restore the menu the phone had before</source>
        <translation>恢复手机之前的菜单</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>暂不</translation>
    </message>
    <message>
        <source>The phone&apos;s menu was restored from %1</source>
        <translation>已从 %1 恢复手机菜单</translation>
    </message>
</context>
</TS>
